#include "Config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSettings>
#include <QStandardPaths>

#include <optional>

namespace tvs {

namespace {

struct Source
{
    const char *iniKey;
    const char *envName;
    const char *option;
    QString Config::*field;
};

const Source kSources[] = {
    {"hosts/api", "TVS_API_HOST", "--api-host", &Config::apiHost},
    {"hosts/image", "TVS_IMAGE_HOST", "--image-host", &Config::imageHost},
    {"hosts/zest", "TVS_ZEST_HOST", "--zest-host", &Config::zestHost},
    {"hosts/mweb", "TVS_MWEB_HOST", "--mweb-host", &Config::mwebHost},
    {"tls/caFile", "TVS_CA_FILE", "--ca-file", &Config::caFile},
};

// "host" or "host:port": no scheme, path, user info or blanks, so that the
// value cannot redirect a URL built from it.
bool validHost(const QString &host)
{
    if (host.isEmpty())
        return false;
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setAuthority(host, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() && url.userInfo().isEmpty() &&
           url.authority().compare(host, Qt::CaseInsensitive) == 0;
}

// Finds "--opt value" or "--opt=value" in args; the last occurrence wins.
// Returns false with `error` when the option is there without its value.
bool findOption(const QStringList &args, const QString &option, std::optional<QString> &value, QString *error)
{
    const QString withEquals = option + u'=';
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == option) {
            if (i + 1 >= args.size()) {
                if (error)
                    *error = QStringLiteral("option %1 needs a value").arg(option);
                return false;
            }
            value = args.at(++i);
        } else if (arg.startsWith(withEquals)) {
            value = arg.mid(withEquals.size());
        }
    }
    return true;
}

QUrl makeUrl(const char *scheme, const QString &host, const QString &path)
{
    if (host.isEmpty())
        return {};
    QString p = path;
    if (!p.startsWith(u'/'))
        p.prepend(u'/');
    QUrl url;
    url.setScheme(QString::fromLatin1(scheme));
    url.setAuthority(host);
    // Tolerant: a "?" or "#" in a picture's file name stays part of the path.
    url.setPath(p, QUrl::TolerantMode);
    return url;
}

// Takes the values that `file` sets; a relative CA path in it is relative to the file.
bool readFile(Config &config, const QString &file, QString *error)
{
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) {
        if (error)
            *error = QStringLiteral("cannot read the config file %1").arg(file);
        return false;
    }
    QSettings ini(file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError) {
        if (error)
            *error = QStringLiteral("the config file %1 is not a valid INI file").arg(file);
        return false;
    }
    for (const Source &s : kSources) {
        const QString key = QString::fromLatin1(s.iniKey);
        if (ini.contains(key)) {
            QString value = ini.value(key).toString().trimmed();
            if (s.field == &Config::caFile && !value.isEmpty() && QFileInfo(value).isRelative())
                value = info.absoluteDir().filePath(value);
            config.*(s.field) = value;
        }
    }
    return true;
}

} // namespace

bool Config::load(Config &config, const QStringList &args, QString *error)
{
    // Everything the stand-in service serves on this machine by default.
    config.apiHost = QStringLiteral("127.0.0.1:8443");
    config.imageHost = QStringLiteral("127.0.0.1:8080");
    config.zestHost = QStringLiteral("127.0.0.1:8443");
    config.mwebHost = QStringLiteral("127.0.0.1:8443");
    config.caFile.clear();

    std::optional<QString> configFile;
    if (!findOption(args, QStringLiteral("--config"), configFile, error))
        return false;
    if (configFile) {
        if (!readFile(config, *configFile, error))
            return false;
    } else {
        for (const QString &file : lookupFiles()) {
            if (QFileInfo::exists(file) && !readFile(config, file, error))
                return false;
        }
    }

    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const Source &s : kSources) {
        const QString name = QString::fromLatin1(s.envName);
        if (env.contains(name))
            config.*(s.field) = env.value(name).trimmed();
    }

    for (const Source &s : kSources) {
        std::optional<QString> value;
        if (!findOption(args, QString::fromLatin1(s.option), value, error))
            return false;
        if (value)
            config.*(s.field) = value->trimmed();
    }

    for (const Source &s : kSources) {
        if (s.field == &Config::caFile)
            continue;
        const QString &host = config.*(s.field);
        if (!validHost(host)) {
            if (error)
                *error = QStringLiteral("%1: expected host[:port], got \"%2\"")
                             .arg(QString::fromLatin1(s.option), host);
            return false;
        }
    }

    if (!config.caFile.isEmpty()) {
        QFile file(config.caFile);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error =
                    QStringLiteral("cannot read the CA file %1: %2").arg(config.caFile, file.errorString());
            return false;
        }
        if (config.caCertificates().isEmpty()) {
            if (error)
                *error =
                    QStringLiteral("the CA file %1 holds no certificate (PEM or DER)").arg(config.caFile);
            return false;
        }
    }
    return true;
}

QStringList Config::lookupFiles()
{
    // The user's folder comes first, then the shop-wide ones from the most important.
    const QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    QStringList files;
    for (auto it = folders.crbegin(); it != folders.crend(); ++it)
        files << QDir(*it).filePath(QStringLiteral("tvsdealer/tvsdealer.conf"));
    return files;
}

QString Config::sourcesHelp()
{
    QStringList variables;
    QStringList options;
    for (const Source &s : kSources) {
        variables << QString::fromLatin1(s.envName);
        options << QString::fromLatin1(s.option);
    }
    QString help = QStringLiteral("Hosts (HOST[:PORT]) and the CA file are read from, later ones winning:\n"
                                  "  --config FILE (INI), or else these files where they exist:\n");
    for (const QString &file : lookupFiles())
        help += QStringLiteral("    ") + file + u'\n';
    help += QStringLiteral("  the variables ") + variables.join(QStringLiteral(", ")) + u'\n';
    help += QStringLiteral("  the options ") + options.join(QStringLiteral(", ")) + u'\n';
    return help;
}

QUrl Config::apiUrl(const QString &path) const
{
    return makeUrl("https", apiHost, path);
}

QUrl Config::imageUrl(const QString &path) const
{
    return makeUrl("http", imageHost, path);
}

QUrl Config::zestUrl(const QString &path) const
{
    return makeUrl("https", zestHost, path);
}

QUrl Config::mwebUrl(const QString &path) const
{
    return makeUrl("https", mwebHost, path);
}

QUrl Config::carPictureUrl(const QString &productCode, const QString &photoPath) const
{
    if (photoPath.isEmpty())
        return {};
    return imageUrl(QStringLiteral("/image_product/") + productCode + u'/' + photoPath);
}

QUrl Config::userPictureUrl(const QString &picturePath) const
{
    if (picturePath.isEmpty())
        return {};
    return imageUrl(QStringLiteral("/image_user/") + picturePath);
}

QList<QSslCertificate> Config::caCertificates() const
{
    if (caFile.isEmpty())
        return {};
    QList<QSslCertificate> certs = QSslCertificate::fromPath(caFile, QSsl::Pem);
    if (certs.isEmpty())
        certs = QSslCertificate::fromPath(caFile, QSsl::Der);
    return certs;
}

} // namespace tvs
