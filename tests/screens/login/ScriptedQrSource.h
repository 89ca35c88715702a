#pragma once

#include "QrSource.h"

#include <QImage>

namespace tvs::test {

// A QR source whose "camera" is the test: it feeds images as camera frames, which
// go through the real decoder on the worker thread. Records what the screen asks.
class ScriptedQrSource : public QrSource
{
    Q_OBJECT
public:
    using QrSource::QrSource;

    bool prepare() override
    {
        ++prepareCount;
        if (cameraPresent)
            stop();
        return cameraPresent;
    }
    bool hasCamera() const override { return cameraPresent; }
    void setPreviewSink(QObject *sink) override { previewSink = sink; }

    void feed(const QImage &frame) { submitFrame([frame] { return frame; }); }
    void feedWith(std::function<QImage()> makeFrame) { submitFrame(std::move(makeFrame)); }

    bool cameraPresent = true;
    int prepareCount = 0;
    int startCount = 0;
    int stopCount = 0;
    QObject *previewSink = nullptr;

protected:
    void startCapture() override { ++startCount; }
    void stopCapture() override { ++stopCount; }
};

} // namespace tvs::test
