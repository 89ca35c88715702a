// Config: files < environment < options, both option forms, the user's and the
// shop-wide files (or --config instead of them), host checks, the CA file, and the
// picture URLs built from the hosts.
#include "Config.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tvs;

namespace {
const char *const kVars[] = {"TVS_API_HOST", "TVS_IMAGE_HOST", "TVS_ZEST_HOST", "TVS_MWEB_HOST",
                             "TVS_CA_FILE"};
} // namespace

class ConfigTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString writeFile(const QString &name, const QByteArray &content)
    {
        QFile f(dir.filePath(name));
        QDir().mkpath(QFileInfo(f).absolutePath());
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? f.fileName() : QString();
    }

    // NAME=value, "@" standing for the test folder.
    void setEnvironment(const QStringList &env)
    {
        for (const QString &var : env)
            qputenv(var.section(u'=', 0, 0).toUtf8(),
                    var.section(u'=', 1).replace(u'@', dir.path() + u'/').toUtf8());
    }

private slots:
    void initTestCase()
    {
        const std::pair<const char *, QByteArray> files[] = {
            {"p.ini", "[hosts]\napi=file-api:1\nimage=file-image:2\nzest=file-zest:3\nmweb=file-mweb:4\n[tls]"
                      "\ncaFile=ca.pem\n"},
            {"junk.pem", "not a certificate\n"},
            {"api-only.ini", "[hosts]\napi=only-api:9\n"},
            // A user's folder, two shop-wide folders (the first is the more important) and a
            // folder whose config file cannot be read.
            {"user/tvsdealer/tvsdealer.conf", "[hosts]\nzest=user-zest:1\n"},
            {"shop/tvsdealer/tvsdealer.conf",
             "[hosts]\nimage=shop-image:2\nzest=shop-zest:3\n[tls]\ncaFile=ca.pem\n"},
            {"site/tvsdealer/tvsdealer.conf",
             "[hosts]\napi=site-api:5\nimage=site-image:6\nzest=site-zest:7\n"}};
        for (const auto &[name, content] : files)
            QVERIFY(!writeFile(QLatin1String(name), content).isEmpty());
        for (const char *name : {"ca.pem", "env-ca.pem", "shop/tvsdealer/ca.pem"})
            QVERIFY(QFile::copy(QFINDTESTDATA("test-ca.pem"), dir.filePath(QLatin1String(name))));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("broken/tvsdealer/tvsdealer.conf")));
    }
    void init()
    {
        for (const char *v : kVars)
            qunsetenv(v);
        // Whatever config files this machine holds stay out of the tests.
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("none")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", dir.filePath(QStringLiteral("none")).toUtf8());
    }
    void cleanup() { init(); }

    void sources_data()
    {
        QTest::addColumn<QStringList>("env"); // NAME=value
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("result"); // api image zest mweb hosts, the CA file in the test folder
        const QString local = QStringLiteral("127.0.0.1:8443 127.0.0.1:8080 127.0.0.1:8443 127.0.0.1:8443 -");
        QTest::newRow("defaults on this machine") << QStringList{} << QStringList{} << local;
        QTest::newRow("file < environment < options; CA relative to the file")
            << QStringList{"TVS_IMAGE_HOST=env-image:20", "TVS_ZEST_HOST=env-zest:30",
                           "TVS_MWEB_HOST=env-mweb:40"}
            << QStringList{"--config", "@p.ini", "--zest-host", "opt-zest:300", "--mweb-host=opt-mweb:400"}
            << QStringLiteral("file-api:1 env-image:20 opt-zest:300 opt-mweb:400 ca.pem");
        QTest::newRow("environment over the file, the CA file too")
            << QStringList{"TVS_CA_FILE=@env-ca.pem", "TVS_MWEB_HOST=env-mweb:40"}
            << QStringList{"--config=@p.ini"}
            << QStringLiteral("file-api:1 file-image:2 file-zest:3 env-mweb:40 env-ca.pem");
        const QStringList lookup{"XDG_CONFIG_HOME=@user", "XDG_CONFIG_DIRS=@shop:@site"};
        QTest::newRow("user's file over the shop-wide ones, value by value")
            << lookup << QStringList{}
            << QStringLiteral("site-api:5 shop-image:2 user-zest:1 127.0.0.1:8443 shop/tvsdealer/ca.pem");
        QTest::newRow("--config instead of the user's and shop-wide files")
            << lookup << QStringList{"--config", "@api-only.ini"}
            << QStringLiteral("only-api:9 127.0.0.1:8080 127.0.0.1:8443 127.0.0.1:8443 -");
        QTest::newRow("unknown options left alone")
            << QStringList{} << QStringList{"--trim", "-platform", "offscreen", "--api-host", "[::1]:9443"}
            << QStringLiteral("[::1]:9443 127.0.0.1:8080 127.0.0.1:8443 127.0.0.1:8443 -");
    }

    void sources()
    {
        QFETCH(QStringList, env);
        QFETCH(QStringList, args);
        QFETCH(QString, result);
        const QString here = dir.path() + u'/';
        setEnvironment(env);
        args.replaceInStrings(QStringLiteral("@"), here);
        Config c;
        QString error;
        QVERIFY2(Config::load(c, QStringList{QStringLiteral("tvsdealer")} + args, &error), qPrintable(error));
        const QString ca = c.caFile.isEmpty() ? QStringLiteral("-") : QString(c.caFile).remove(here);
        QCOMPARE(QStringList({c.apiHost, c.imageHost, c.zestHost, c.mwebHost, ca}).join(u' '), result);
        QCOMPARE(c.caCertificates().size(), ca == QLatin1String("-") ? 0 : 1);
        QCOMPARE(c.apiUrl(QStringLiteral("/x")), QUrl(QStringLiteral("https://%1/x").arg(c.apiHost)));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("env"); // NAME=value
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errorPart");
        const auto row = [](const char *name, const QStringList &args, const char *errorPart,
                            const QStringList &env = {}) {
            QTest::newRow(name) << env << args << QString::fromLatin1(errorPart);
        };
        row("option without value", {"--api-host"}, "needs a value");
        row("missing config file", {"--config", "/nonexistent/tvs.ini"}, "cannot read");
        row("unreadable shop-wide config file", {}, "cannot read the config file",
            {"XDG_CONFIG_DIRS=@site:@broken"});
        row("scheme in host", {"--api-host", "https://127.0.0.1"}, "host[:port]");
        row("path in host", {"--image-host=127.0.0.1/x"}, "host[:port]");
        row("empty host", {"--mweb-host="}, "host[:port]");
        row("bad port", {"--api-host", "127.0.0.1:http"}, "host[:port]");
        row("missing CA file", {"--ca-file", "/nonexistent/ca.pem"}, "cannot read the CA file");
        row("CA file without a certificate", {"--ca-file", "@junk.pem"}, "holds no certificate");
    }

    void badInput()
    {
        QFETCH(QStringList, env);
        QFETCH(QStringList, args);
        QFETCH(QString, errorPart);
        setEnvironment(env);
        args.replaceInStrings(QStringLiteral("@"), dir.path() + u'/');
        args.prepend(QStringLiteral("tvsdealer"));
        Config c;
        QString error;
        QVERIFY(!Config::load(c, args, &error));
        QVERIFY2(error.contains(errorPart), qPrintable(error));
        // The same value from the environment is refused the same way.
        const QByteArray var = "TVS_" + args.value(1).mid(2).toUpper().replace(u'-', u'_').toUtf8();
        if (args.size() == 3 && std::find(std::begin(kVars), std::end(kVars), var) != std::end(kVars)) {
            qputenv(var.constData(), args[2].toUtf8());
            QVERIFY2(!Config::load(c, {QStringLiteral("tvsdealer")}, &error), var.constData());
        }
    }

    void pictureUrls()
    {
        Config c;
        c.imageHost = QStringLiteral("127.0.0.1:8080");
        // A "?" or "#" in a file name stays in the path; Korean names are encoded; no name, no URL.
        QCOMPARE(c.carPictureUrl(QStringLiteral("P1"), QStringLiteral("a?b#앞.jpg")).toEncoded(),
                 QByteArray("http://127.0.0.1:8080/image_product/P1/a%3Fb%23%EC%95%9E.jpg"));
        QCOMPARE(c.userPictureUrl(QStringLiteral("D0001.png")).toString(),
                 QStringLiteral("http://127.0.0.1:8080/image_user/D0001.png"));
        QVERIFY(c.carPictureUrl(QStringLiteral("P0001"), QString()).isEmpty() &&
                c.userPictureUrl(QString()).isEmpty());
    }
};

QTEST_MAIN(ConfigTest)
#include "tst_config.moc"
