#include "QrSource.h"

#include "QrDecoder.h"
#include "QrLogging.h"

#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageReader>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace tvs {

Q_LOGGING_CATEGORY(lcQr, "tvs.qr", QtInfoMsg)

QRectF previewRectOf(const QrDetection &detection, const QSizeF &previewSize)
{
    const QSizeF source = detection.sourceSize;
    if (detection.corners.isEmpty() || source.isEmpty() || previewSize.isEmpty())
        return {};
    qreal left = detection.corners.first().x();
    qreal right = left;
    qreal top = detection.corners.first().y();
    qreal bottom = top;
    for (const QPointF &p : detection.corners) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const qreal scale = std::max(previewSize.width() / source.width(), previewSize.height() / source.height());
    const qreal dx = (previewSize.width() - source.width() * scale) / 2;
    const qreal dy = (previewSize.height() - source.height() * scale) / 2;
    return QRectF(left * scale + dx, top * scale + dy, (right - left) * scale, (bottom - top) * scale);
}

QrSource::QrSource(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<tvs::QrDetection>();
}

QrSource::~QrSource() = default;

void QrSource::start()
{
    if (m_running)
        return;
    m_running = true;
    ++m_generation;
    startCapture();
    emit runningChanged();
}

void QrSource::stop()
{
    if (!m_running)
        return;
    m_running = false;
    ++m_generation;
    stopCapture();
    emit runningChanged();
}

void QrSource::submitFrame(std::function<QImage()> makeImage)
{
    if (!m_running)
        return;
    if (m_frameInFlight) {
        ++m_droppedFrames;
        return;
    }
    m_frameInFlight = true;
    const quint64 generation = m_generation;
    auto *watcher = new QFutureWatcher<std::optional<QrDetection>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        m_frameInFlight = false;
        // A stop (or a stop and a new start) since the frame was taken: its code
        // belongs to a capture the dealer has already left.
        if (!m_running || generation != m_generation)
            return;
        const std::optional<QrDetection> result = watcher->result();
        if (result)
            emit detected(*result);
        else
            emit nothingDetected();
    });
    watcher->setFuture(QtConcurrent::run([makeImage = std::move(makeImage)] {
        return decodeQrImage(makeImage());
    }));
}

namespace {

struct FileDecode
{
    std::optional<QrDetection> detection;
    QString failure; // for the dealer; empty when an image was read
};

FileDecode decodeFile(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        qCWarning(lcQr) << "cannot read the image" << path << ":" << reader.errorString();
        return {std::nullopt, QStringLiteral("이미지를 열 수 없습니다.")};
    }
    FileDecode result;
    result.detection = decodeQrImage(image);
    if (!result.detection) {
        qCInfo(lcQr) << "no QR code in" << path;
        result.failure = QStringLiteral("이미지에서 QR 코드를 찾을 수 없습니다.");
    }
    return result;
}

} // namespace

void QrSource::decodeImageFile(const QString &path)
{
    auto *watcher = new QFutureWatcher<FileDecode>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path] {
        watcher->deleteLater();
        const FileDecode result = watcher->result();
        if (result.detection)
            emit detected(*result.detection);
        else
            emit imageFailed(path, result.failure);
    });
    watcher->setFuture(QtConcurrent::run(decodeFile, path));
}

} // namespace tvs
