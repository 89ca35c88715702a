#include "QrCodes.h"

#include <QBuffer>
#include <QImage>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <openssl/evp.h>

#include <exception>
#include <memory>

namespace tvs {

namespace {
// Shared with the app's session store, which decrypts what the service encrypts.
const QByteArray kAesKey = "N3vB8cQ1xR6tY0uI5oP2aS7dF4gH9jKm";
const QByteArray kAesIv = "q7Lm2Xv9Rt4Wz8Kp";

QByteArray encrypt(const QByteArray &plain)
{
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    if (!ctx
        || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr,
                              reinterpret_cast<const unsigned char *>(kAesKey.constData()),
                              reinterpret_cast<const unsigned char *>(kAesIv.constData()))
               != 1)
        return {};
    QByteArray out(plain.size() + 32, Qt::Uninitialized);
    int written = 0, last = 0;
    if (EVP_EncryptUpdate(ctx.get(), reinterpret_cast<unsigned char *>(out.data()), &written,
                          reinterpret_cast<const unsigned char *>(plain.constData()), int(plain.size()))
            != 1
        || EVP_EncryptFinal_ex(ctx.get(), reinterpret_cast<unsigned char *>(out.data()) + written, &last) != 1)
        return {};
    out.resize(written + last);
    return out;
}
} // namespace

QString sealedQrText(const QString &token)
{
    const QByteArray sealed = encrypt("U" + token.toUtf8());
    return sealed.isEmpty() ? QString() : QString::fromLatin1(sealed.toBase64());
}

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
                    std::fill_n(image.scanLine((y + quiet) * module + dy) + (x + quiet) * module, module, uchar(0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace tvs
