#include "CameraQrSource.h"

#include "QrLogging.h"

#include <QCamera>
#include <QCameraDevice>
#include <QMediaDevices>
#include <QVideoFrame>

namespace tvs {

CameraQrSource::CameraQrSource(QObject *parent)
    : QrSource(parent)
{
}

CameraQrSource::~CameraQrSource()
{
    if (m_camera)
        m_camera->stop();
}

bool CameraQrSource::prepare()
{
    // The capture holds one camera input and one output for good: a later
    // preparation (every appearance of the login) only stops it.
    if (m_camera) {
        stop();
        return true;
    }
    if (!m_session) {
        m_session = std::make_unique<QMediaCaptureSession>();
        m_ownSink = std::make_unique<QVideoSink>();
        useSink(m_previewSink ? m_previewSink.data() : m_ownSink.get());
    }
    const QList<QCameraDevice> cameras = QMediaDevices::videoInputs();
    if (cameras.isEmpty()) {
        qCWarning(lcQr) << "No Camera";
        return false;
    }
    QCameraDevice chosen = cameras.first();
    for (const QCameraDevice &device : cameras) {
        if (device.position() == QCameraDevice::BackFace) {
            chosen = device;
            break;
        }
    }
    auto camera = std::make_unique<QCamera>(chosen);
    if (camera->error() != QCamera::NoError) {
        qCWarning(lcQr) << "cannot use the camera" << chosen.description() << ":" << camera->errorString();
        return false;
    }
    connect(camera.get(), &QCamera::errorOccurred, this, [](QCamera::Error, const QString &message) {
        qCWarning(lcQr) << "camera error:" << message;
    });
    m_camera = std::move(camera);
    m_session->setCamera(m_camera.get());
    qCInfo(lcQr) << "camera" << m_camera->cameraDevice().description();
    emit hasCameraChanged();
    stop();
    return true;
}

bool CameraQrSource::hasCamera() const
{
    return m_camera != nullptr;
}

void CameraQrSource::setPreviewSink(QObject *videoSink)
{
    auto *sink = qobject_cast<QVideoSink *>(videoSink);
    if (videoSink && !sink)
        qCWarning(lcQr) << "not a video sink:" << videoSink;
    if (m_previewSink)
        disconnect(m_previewSink, &QObject::destroyed, this, nullptr);
    m_previewSink = sink;
    if (sink) {
        // The page (and its sink) may go before this source does.
        connect(sink, &QObject::destroyed, this, [this] { useSink(m_ownSink.get()); });
        useSink(sink);
    } else {
        useSink(m_ownSink.get());
    }
}

void CameraQrSource::useSink(QVideoSink *sink)
{
    if (!m_session || !sink)
        return; // before the first prepare(): it picks the sink up
    disconnect(m_frameConnection);
    m_session->setVideoSink(sink);
    m_frameConnection = connect(sink, &QVideoSink::videoFrameChanged, this, &CameraQrSource::frameArrived);
}

void CameraQrSource::startCapture()
{
    if (m_camera)
        m_camera->start();
}

void CameraQrSource::stopCapture()
{
    if (m_camera)
        m_camera->stop();
}

void CameraQrSource::frameArrived(const QVideoFrame &frame)
{
    if (!frame.isValid())
        return;
    submitFrame([frame] { return frame.toImage(); });
}

} // namespace tvs
