#pragma once

#include <QByteArray>
#include <QString>

namespace tvs {

// A dealer's QR sign-in code as the service issues it: the text "U" + token, encrypted
// with AES-256-CBC under the key and IV the app holds, in Base64, drawn as a QR code.
// PNG bytes; empty when encryption or encoding fails.
QByteArray dealerQrPng(const QString &token);

} // namespace tvs
