#pragma once

#include <QString>

namespace tvs {

// The service's TLS material in its data folder: a CA ("ca.pem", the file the client's CA
// option points at) and the server certificate it signed for 127.0.0.1 and localhost
// ("server.pem", "server-key.pem"). Made once with OpenSSL; kept while still valid for a
// month or more.
struct TlsFiles
{
    QString caFile;
    QString certificateFile;
    QString keyFile;
};

bool ensureCertificates(const QString &dataDir, TlsFiles *files, QString *error);

} // namespace tvs
