#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

namespace tvs {

// One code read from a camera frame or an image file.
struct QrDetection
{
    QString text;           // the code's text; empty when the code carried none
    QList<QPointF> corners; // the code's corners in the pixels of the source image
    QSizeF sourceSize;      // size of the frame or image the code was read from
};

// Where a detected code lies in a preview of `previewSize` that shows the source
// scaled to fill it (aspect fill, centred, overflow cropped). Empty when unknown.
QRectF previewRectOf(const QrDetection &detection, const QSizeF &previewSize);

// Delivers QR codes to the login's QR page: frames of a camera, or an image file
// the dealer opens. Decoding always runs on a worker thread, one camera frame at
// a time (frames that arrive while one is decoded are dropped). Every signal is
// emitted on this object's (the main) thread.
//
// The camera side is the subclass's: CameraQrSource in the app, a scripted one in
// tests. Frames reach the decoder through submitFrame().
class QrSource : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(bool hasCamera READ hasCamera NOTIFY hasCameraChanged)

public:
    explicit QrSource(QObject *parent = nullptr);
    ~QrSource() override;

    // Sets up the camera capture, stopped. A later call keeps what an earlier one set
    // up (one input, one output). False when there is no camera or it cannot be used.
    virtual bool prepare() = 0;
    virtual bool hasCamera() const = 0;
    // Where the camera's preview goes: the QVideoSink of the page's VideoOutput, or
    // null for none. The sink may be destroyed at any time.
    virtual void setPreviewSink(QObject *videoSink) = 0;

    // Starting and stopping the capture. Codes of frames taken before a stop are
    // never reported.
    void start();
    void stop();
    bool isRunning() const { return m_running; }

    // Reads the first QR code of an image file (PNG, JPEG, ...) through the same
    // decoder; reports detected() or imageFailed(). Works whether or not the
    // capture runs.
    void decodeImageFile(const QString &path);

    // How many camera frames were dropped because one was still being decoded.
    int droppedFrames() const { return m_droppedFrames; }

signals:
    void detected(const tvs::QrDetection &detection);
    // A camera frame was decoded and held no code.
    void nothingDetected();
    // An image file could not be read or held no QR code; `reason` is for the dealer.
    void imageFailed(const QString &path, const QString &reason);
    void runningChanged();
    void hasCameraChanged();

protected:
    // The camera side starts and stops its capture here.
    virtual void startCapture() = 0;
    virtual void stopCapture() = 0;

    // Hands a camera frame to the decoder, unless one is still being decoded (then
    // the frame is dropped). `makeImage` runs on the worker thread, so an expensive
    // conversion of the frame stays off the UI thread too.
    void submitFrame(std::function<QImage()> makeImage);

private:
    bool m_running = false;
    bool m_frameInFlight = false;
    quint64 m_generation = 0; // counts starts and stops: stale frames are ignored
    int m_droppedFrames = 0;
};

} // namespace tvs

Q_DECLARE_METATYPE(tvs::QrDetection)
