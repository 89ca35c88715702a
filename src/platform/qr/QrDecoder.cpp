#include "QrDecoder.h"

#include "QrLogging.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <ZXing/ReadBarcode.h>

#include <exception>

namespace tvs {

std::optional<QrDetection> decodeQrImage(const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return std::nullopt;

    QrDetection detection;
    detection.text = QString::fromStdString(result.text());
    const ZXing::Position &position = result.position();
    for (int i = 0; i < 4; ++i)
        detection.corners.append(QPointF(position[i].x, position[i].y));
    detection.sourceSize = QSizeF(image.size());
    return detection;
}

QImage encodeQrImage(const QString &text, int moduleSize)
{
    if (moduleSize < 1)
        return {};
    ZXing::BitMatrix matrix;
    try {
        // Width and height 0: one pixel per module; the quiet zone of four modules
        // that readers expect is added below.
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(0);
        writer.setEncoding(ZXing::CharacterSet::UTF8);
        matrix = writer.encode(text.toStdString(), 0, 0);
    } catch (const std::exception &e) {
        qCWarning(lcQr) << "cannot encode a QR code:" << e.what();
        return {};
    }
    const int quiet = 4;
    const int modules = matrix.width() + 2 * quiet;
    QImage image(modules * moduleSize, modules * moduleSize, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < matrix.height(); ++y) {
        for (int x = 0; x < matrix.width(); ++x) {
            if (!matrix.get(x, y))
                continue;
            for (int dy = 0; dy < moduleSize; ++dy) {
                uchar *line = image.scanLine((y + quiet) * moduleSize + dy);
                std::fill_n(line + (x + quiet) * moduleSize, moduleSize, uchar(0));
            }
        }
    }
    return image;
}

} // namespace tvs
