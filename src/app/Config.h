#pragma once

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace tvs {

// Where the service lives. Each host is "host[:port]". Read from config files (the one
// given with --config FILE, or else the shop-wide and the user's files, see
// lookupFiles()), then the environment (TVS_API_HOST, TVS_IMAGE_HOST, TVS_ZEST_HOST,
// TVS_MWEB_HOST, TVS_CA_FILE), then command-line options (--api-host, --image-host,
// --zest-host, --mweb-host, --ca-file); later sources win, value by value. Without any
// of them every host is on this machine: api, zest and mweb "127.0.0.1:8443" (https),
// image "127.0.0.1:8080" (http), and no extra CA.
class Config
{
public:
    QString apiHost;
    QString imageHost;
    QString zestHost;
    QString mwebHost;
    QString caFile;

    // Fills from the sources above. `args` are the program's arguments (argv[0] first).
    // Unknown options are left alone (callers may have their own). False and `error`
    // on an unreadable config file, an option without its value or an unreadable CA file.
    static bool load(Config &config, const QStringList &args, QString *error);

    // The config files read when no --config is given, lowest precedence first: the
    // shop-wide "tvsdealer/tvsdealer.conf" of each folder in $XDG_CONFIG_DIRS (default
    // /etc/xdg; the first folder wins), then the user's in $XDG_CONFIG_HOME (default
    // ~/.config). Files that do not exist are skipped.
    static QStringList lookupFiles();
    // The sources above, for a program's --help.
    static QString sourcesHelp();

    QUrl apiUrl(const QString &path) const;   // https
    QUrl imageUrl(const QString &path) const; // http
    QUrl zestUrl(const QString &path) const;  // https
    QUrl mwebUrl(const QString &path) const;  // https
    // "http://" image host "/image_product/" code "/" path; empty URL when path is empty.
    QUrl carPictureUrl(const QString &productCode, const QString &photoPath) const;
    // "http://" image host "/image_user/" path; empty URL when path is empty.
    QUrl userPictureUrl(const QString &picturePath) const;

    // Extra trusted CAs from caFile (empty when none is configured).
    QList<QSslCertificate> caCertificates() const;
};

} // namespace tvs
