// The QR payload: Base64, AES-256-CBC and the "U" rules, with the login's key and IV.
// First byte even: the rest is a scanned text. Odd: the rest is a plaintext, sealed as
// the service issues codes and opened again, so that every rule after the decryption
// is reached; what the code opens to must follow from the plaintext.
#include "LoginCrypto.h"

#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>

namespace {
const QString kKey = tvs::kQrAesKey.toString();
const QString kIv = tvs::kQrAesIv.toString();
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if ((data[0] & 1) == 0) {
        const tvs::QrPayload payload = tvs::openQrPayload(QString::fromUtf8(rest), kKey, kIv);
        if (payload.kind != tvs::QrPayload::Token && !payload.token.isEmpty())
            std::abort();
        return 0;
    }
    const std::optional<QByteArray> sealed = tvs::aes256CbcEncrypt(rest, kKey.toUtf8(), kIv.toUtf8());
    if (!sealed)
        std::abort();
    const tvs::QrPayload payload = tvs::openQrPayload(QString::fromLatin1(sealed->toBase64()), kKey, kIv);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(rest);
    tvs::QrPayload::Kind expected = tvs::QrPayload::Token;
    if (rest.isEmpty())
        expected = tvs::QrPayload::Rejected;
    else if (decoder.hasError())
        expected = tvs::QrPayload::NotUtf8;
    else if (!text.startsWith(u'U'))
        expected = tvs::QrPayload::NotUser;
    if (payload.kind != expected)
        std::abort();
    if (expected == tvs::QrPayload::Token && payload.token != QString(text).remove(u'U'))
        std::abort();
    return 0;
}
