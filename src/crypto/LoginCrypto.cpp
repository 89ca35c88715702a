#include "LoginCrypto.h"

#include <QStringDecoder>

#include <openssl/evp.h>

#include <memory>

namespace tvs {

namespace {

using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)>;

constexpr int kKeyBytes = 32;
constexpr int kIvBytes = 16;
constexpr int kBlockBytes = 16;

std::optional<QByteArray> aes256Cbc(const QByteArray &data, const QByteArray &key, const QByteArray &iv,
                                    bool encrypt)
{
    if (key.size() != kKeyBytes || iv.size() != kIvBytes)
        return std::nullopt;
    if (!encrypt && (data.isEmpty() || data.size() % kBlockBytes != 0))
        return std::nullopt;
    CipherContext ctx(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    if (!ctx)
        return std::nullopt;
    const auto *k = reinterpret_cast<const unsigned char *>(key.constData());
    const auto *v = reinterpret_cast<const unsigned char *>(iv.constData());
    // PKCS#7 padding is EVP's default for block ciphers.
    if (EVP_CipherInit_ex(ctx.get(), EVP_aes_256_cbc(), nullptr, k, v, encrypt ? 1 : 0) != 1)
        return std::nullopt;
    QByteArray out(data.size() + kBlockBytes, Qt::Uninitialized);
    int written = 0;
    if (EVP_CipherUpdate(ctx.get(), reinterpret_cast<unsigned char *>(out.data()), &written,
                         reinterpret_cast<const unsigned char *>(data.constData()), int(data.size()))
        != 1)
        return std::nullopt;
    int last = 0;
    if (EVP_CipherFinal_ex(ctx.get(), reinterpret_cast<unsigned char *>(out.data()) + written, &last) != 1)
        return std::nullopt;
    out.truncate(written + last);
    return out;
}

bool isBase64Letter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'+'
        || c == u'/';
}

} // namespace

QString passwordDigest(const QString &password)
{
    const QByteArray bytes = password.toUtf8();
    DigestContext ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1
        || EVP_DigestUpdate(ctx.get(), bytes.constData(), size_t(bytes.size())) != 1
        || EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1)
        qFatal("MD5 is not available from libcrypto");
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), int(length)).toHex());
}

std::optional<QByteArray> decodeBase64Strict(QStringView text)
{
    if (text.size() % 4 != 0)
        return std::nullopt;
    qsizetype padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == u'=')
        ++padding;
    const QStringView body = text.first(text.size() - padding);
    for (const QChar c : body) {
        if (!isBase64Letter(c.unicode()))
            return std::nullopt;
    }
    return QByteArray::fromBase64(text.toLatin1());
}

std::optional<QByteArray> aes256CbcDecrypt(const QByteArray &data, const QByteArray &key, const QByteArray &iv)
{
    return aes256Cbc(data, key, iv, false);
}

std::optional<QByteArray> aes256CbcEncrypt(const QByteArray &data, const QByteArray &key, const QByteArray &iv)
{
    return aes256Cbc(data, key, iv, true);
}

QrPayload openQrPayload(const QString &scanned, const QString &key, const QString &iv)
{
    const std::optional<QByteArray> data = decodeBase64Strict(scanned);
    if (!data)
        return {};
    const std::optional<QByteArray> plain = aes256CbcDecrypt(*data, key.toUtf8(), iv.toUtf8());
    // Nothing to test the first character of: no better than a refused code.
    if (!plain || plain->isEmpty())
        return {};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(*plain);
    if (decoder.hasError())
        return {QrPayload::NotUtf8, {}};
    if (!text.startsWith(u'U'))
        return {QrPayload::NotUser, {}};
    return {QrPayload::Token, QString(text).remove(u'U')};
}

QString sealQrPayload(const QString &plaintext, const QString &key, const QString &iv)
{
    const std::optional<QByteArray> sealed = aes256CbcEncrypt(plaintext.toUtf8(), key.toUtf8(), iv.toUtf8());
    return sealed ? QString::fromLatin1(sealed->toBase64()) : QString();
}

} // namespace tvs
