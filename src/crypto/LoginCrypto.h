#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace tvs {

// The password as the login sends it: the MD5 digest of its UTF-8 bytes as 32
// lower-case hexadecimal digits.
QString passwordDigest(const QString &password);

// Base64 in the standard alphabet with its padding, nothing else: white space, the
// URL-safe alphabet, a missing or misplaced "=" all give nullopt.
std::optional<QByteArray> decodeBase64Strict(QStringView text);

// AES-256 in CBC mode with PKCS#7 padding. nullopt when the key is not 32 bytes, the
// IV not 16, or (decrypting) the data is empty, not whole blocks or badly padded.
std::optional<QByteArray> aes256CbcDecrypt(const QByteArray &data, const QByteArray &key, const QByteArray &iv);
std::optional<QByteArray> aes256CbcEncrypt(const QByteArray &data, const QByteArray &key, const QByteArray &iv);

// The AES key and IV of every dealer's sign-in QR code: the service seals the codes
// with them and the login opens them (the session store keeps them as AESKEY and AESIV).
inline constexpr QStringView kQrAesKey = u"N3vB8cQ1xR6tY0uI5oP2aS7dF4gH9jKm";
inline constexpr QStringView kQrAesIv = u"q7Lm2Xv9Rt4Wz8Kp";

// What a QR code's text says once opened with the login's key and IV.
struct QrPayload
{
    enum Kind {
        Rejected, // not Base64, or the decryptor refused it, or nothing inside
        NotUtf8,  // decrypted, but not UTF-8 text
        NotUser,  // UTF-8 text that does not begin with "U"
        Token,    // a sign-in token
    };
    Kind kind = Rejected;
    QString token; // Token: the plaintext with every "U" removed
};

QrPayload openQrPayload(const QString &scanned, const QString &key, const QString &iv);

// The text of a QR code that signs in with `plaintext` ("U" and the token):
// Base64 of its AES-256-CBC encryption. Empty when the key or IV is unusable.
QString sealQrPayload(const QString &plaintext, const QString &key, const QString &iv);

} // namespace tvs
