#pragma once

#include "QrSource.h"

#include <QMediaCaptureSession>
#include <QPointer>
#include <QVideoSink>

#include <memory>

class QCamera;
class QVideoFrame;

namespace tvs {

// The QR source of the app: the back camera (the first camera where none faces
// back, as on a desktop) through QtMultimedia. The capture shows its frames in the
// page's VideoOutput and hands every frame the decoder is free for to the worker.
// Nothing of QtMultimedia is touched before the first prepare(): its back end
// (and the audio and video stacks it brings up) costs start-up time and memory
// that a dealer who signs in by password never needs.
class CameraQrSource : public QrSource
{
    Q_OBJECT
public:
    explicit CameraQrSource(QObject *parent = nullptr);
    ~CameraQrSource() override;

    bool prepare() override;
    bool hasCamera() const override;
    void setPreviewSink(QObject *videoSink) override;

protected:
    void startCapture() override;
    void stopCapture() override;

private:
    void useSink(QVideoSink *sink);
    void frameArrived(const QVideoFrame &frame);

    // Made by the first prepare().
    std::unique_ptr<QMediaCaptureSession> m_session;
    std::unique_ptr<QCamera> m_camera;
    // Frames go to the page's sink while it lives, else to our own, so that the
    // decoder sees frames with or without a preview.
    std::unique_ptr<QVideoSink> m_ownSink;
    QPointer<QVideoSink> m_previewSink;
    QMetaObject::Connection m_frameConnection;
};

} // namespace tvs
