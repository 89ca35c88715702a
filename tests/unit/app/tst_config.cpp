// Config: file < environment < options, both option forms, host checks, the CA
// file, and the picture URLs built from the hosts.
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
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() ? f.fileName() : QString();
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"ca.pem", "env-ca.pem"})
            QVERIFY(QFile::copy(QFINDTESTDATA("test-ca.pem"), dir.filePath(QLatin1String(name))));
        QVERIFY(!writeFile(QStringLiteral("p.ini"),
                           "[hosts]\napi=file-api:1\nimage=file-image:2\nzest=file-zest:3\n"
                           "mweb=file-mweb:4\n[tls]\ncaFile=ca.pem\n")
                     .isEmpty());
        QVERIFY(!writeFile(QStringLiteral("junk.pem"), "not a certificate\n").isEmpty());
    }
    void init()
    {
        for (const char *v : kVars)
            qunsetenv(v);
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
        QTest::newRow("CA file from the environment over the file")
            << QStringList{"TVS_CA_FILE=@env-ca.pem"} << QStringList{"--config=@p.ini"}
            << QStringLiteral("file-api:1 file-image:2 file-zest:3 file-mweb:4 env-ca.pem");
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
        for (const QString &var : env)
            qputenv(var.section(u'=', 0, 0).toUtf8(), var.section(u'=', 1).replace(u'@', here).toUtf8());
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
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("option without value") << QStringList{"--api-host"} << "needs a value";
        QTest::newRow("missing config file")
            << QStringList{"--config", "/nonexistent/tvs.ini"} << "cannot read";
        QTest::newRow("scheme in host") << QStringList{"--api-host", "https://127.0.0.1"} << "host[:port]";
        QTest::newRow("path in host") << QStringList{"--image-host=127.0.0.1/x"} << "host[:port]";
        QTest::newRow("empty host") << QStringList{"--mweb-host="} << "host[:port]";
        QTest::newRow("bad port") << QStringList{"--api-host", "127.0.0.1:http"} << "host[:port]";
        QTest::newRow("missing CA file")
            << QStringList{"--ca-file", "/nonexistent/ca.pem"} << "cannot read the CA file";
        QTest::newRow("CA file without a certificate")
            << QStringList{"--ca-file", "@junk.pem"} << "holds no certificate";
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, errorPart);
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
