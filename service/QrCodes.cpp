#include "QrCodes.h"

#include "LoginCrypto.h"

#include <QBuffer>
#include <QImage>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <exception>

namespace tvs {

namespace {
QString sealedQrText(const QString &token)
{
    return sealQrPayload(u'U' + token, kQrAesKey.toString(), kQrAesIv.toString());
}
} // namespace

QByteArray dealerQrPng(const QString &token)
{
    const QString text = sealedQrText(token);
    if (text.isEmpty())
        return {};
    ZXing::BitMatrix matrix;
    try {
        ZXing::MultiFormatWriter writer(ZXing::BarcodeFormat::QRCode);
        writer.setMargin(0);
        matrix = writer.encode(text.toStdString(), 0, 0);
    } catch (const std::exception &) {
        return {};
    }
    const int module = 8, quiet = 4;
    const int side = (matrix.width() + 2 * quiet) * module;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < matrix.height(); ++y)
        for (int x = 0; x < matrix.width(); ++x)
            if (matrix.get(x, y))
                for (int dy = 0; dy < module; ++dy)
                    std::fill_n(image.scanLine((y + quiet) * module + dy) + (x + quiet) * module, module,
                                uchar(0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace tvs
