// Config: file < environment < options, both option forms, host checks, the CA
// file, and the URLs built from the hosts.
#include "Config.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tvs;

namespace {

const char *const kVars[] = {"TVS_API_HOST", "TVS_IMAGE_HOST", "TVS_ZEST_HOST", "TVS_MWEB_HOST",
                             "TVS_CA_FILE"};

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write(content);
    return path;
}

QString testCa()
{
    return QFINDTESTDATA("test-ca.pem");
}

} // namespace

class ConfigTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init()
    {
        for (const char *v : kVars)
            qunsetenv(v);
    }
    void cleanup() { init(); }

    void defaultsPointAtThisMachine()
    {
        Config c;
        QString error;
        QVERIFY2(Config::load(c, {QStringLiteral("tvsdealer")}, &error), qPrintable(error));
        for (const QString &host : {c.apiHost, c.imageHost, c.zestHost, c.mwebHost})
            QVERIFY2(host.startsWith(QStringLiteral("127.0.0.1")), qPrintable(host));
        QVERIFY(c.caFile.isEmpty());
        QVERIFY(c.caCertificates().isEmpty());
    }

    void precedence()
    {
        const QString file = writeFile(dir, QStringLiteral("p.ini"),
                                       "[hosts]\napi=file-api:1\nimage=file-image:2\nzest=file-zest:3\n"
                                       "mweb=file-mweb:4\n");
        qputenv("TVS_IMAGE_HOST", "env-image:20");
        qputenv("TVS_ZEST_HOST", "env-zest:30");
        qputenv("TVS_MWEB_HOST", "env-mweb:40");
        Config c;
        QString error;
        QVERIFY2(Config::load(c,
                              {QStringLiteral("tvsdealer"), QStringLiteral("--config"), file,
                               QStringLiteral("--zest-host"), QStringLiteral("opt-zest:300"),
                               QStringLiteral("--mweb-host=opt-mweb:400")},
                              &error),
                 qPrintable(error));
        QCOMPARE(c.apiHost, QStringLiteral("file-api:1"));
        QCOMPARE(c.imageHost, QStringLiteral("env-image:20"));
        QCOMPARE(c.zestHost, QStringLiteral("opt-zest:300"));
        QCOMPARE(c.mwebHost, QStringLiteral("opt-mweb:400"));
    }

    void unknownOptionsAreLeftAlone()
    {
        Config c;
        QString error;
        QVERIFY(Config::load(c,
                             {QStringLiteral("tvsdealer"), QStringLiteral("--trim"),
                              QStringLiteral("-platform"), QStringLiteral("offscreen"),
                              QStringLiteral("--api-host"), QStringLiteral("[::1]:9443")},
                             &error));
        QCOMPARE(c.apiHost, QStringLiteral("[::1]:9443"));
        QCOMPARE(c.apiUrl(QStringLiteral("/sub_asmx/asmx_soap.asmx")).toString(),
                 QStringLiteral("https://[::1]:9443/sub_asmx/asmx_soap.asmx"));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("errorPart");
        QTest::newRow("option without value") << QStringList{"--api-host"} << "needs a value";
        QTest::newRow("config without value") << QStringList{"--config"} << "needs a value";
        QTest::newRow("missing config file")
            << QStringList{"--config", "/nonexistent/tvs.ini"} << "cannot read";
        QTest::newRow("scheme in host") << QStringList{"--api-host", "https://127.0.0.1"} << "host[:port]";
        QTest::newRow("path in host") << QStringList{"--image-host=127.0.0.1/x"} << "host[:port]";
        QTest::newRow("user in host") << QStringList{"--zest-host", "me@127.0.0.1"} << "host[:port]";
        QTest::newRow("empty host") << QStringList{"--mweb-host="} << "host[:port]";
        QTest::newRow("bad port") << QStringList{"--api-host", "127.0.0.1:http"} << "host[:port]";
        QTest::newRow("missing CA file")
            << QStringList{"--ca-file", "/nonexistent/ca.pem"} << "cannot read the CA file";
        QTest::newRow("CA file without a certificate") << QStringList{"--ca-file", "@junk"} << "holds no certificate";
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, errorPart);
        args.replaceInStrings(QStringLiteral("@junk"),
                              writeFile(dir, QStringLiteral("junk.pem"), "not a certificate\n"));
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

    void caFileFromEachSource()
    {
        const QString ca = testCa();
        QVERIFY(!ca.isEmpty());
        // Relative to the config file's folder.
        QFile::copy(ca, dir.filePath(QStringLiteral("ca.pem")));
        const QString file = writeFile(dir, QStringLiteral("tls.ini"), "[tls]\ncaFile=ca.pem\n");
        Config c;
        QString error;
        QVERIFY2(Config::load(c, {QStringLiteral("tvsdealer"), QStringLiteral("--config=") + file}, &error),
                 qPrintable(error));
        QCOMPARE(c.caFile, dir.filePath(QStringLiteral("ca.pem")));
        QCOMPARE(c.caCertificates().size(), 1);
        QCOMPARE(c.caCertificates().first().subjectInfo(QSslCertificate::CommonName).value(0),
                 QStringLiteral("TVS Test CA"));

        qputenv("TVS_CA_FILE", ca.toUtf8());
        QVERIFY(Config::load(c, {QStringLiteral("tvsdealer"), QStringLiteral("--config"), file}, &error));
        QCOMPARE(c.caFile, ca);
    }

    void urls()
    {
        Config c;
        c.apiHost = QStringLiteral("127.0.0.1:8443");
        c.imageHost = QStringLiteral("127.0.0.1:8080");
        c.zestHost = QStringLiteral("127.0.0.1:9443");
        c.mwebHost = QStringLiteral("localhost:7443");
        QCOMPARE(c.apiUrl(QStringLiteral("/sub_asmx/asmx_soap.asmx")).toString(),
                 QStringLiteral("https://127.0.0.1:8443/sub_asmx/asmx_soap.asmx"));
        QCOMPARE(c.zestUrl(QStringLiteral("/service/")).toString(),
                 QStringLiteral("https://127.0.0.1:9443/service/"));
        QCOMPARE(c.mwebUrl(QStringLiteral("/sub_buycar/buycar_view_func.aspx")).toString(),
                 QStringLiteral("https://localhost:7443/sub_buycar/buycar_view_func.aspx"));
        QCOMPARE(c.carPictureUrl(QStringLiteral("P0001"), QStringLiteral("front.jpg")).toString(),
                 QStringLiteral("http://127.0.0.1:8080/image_product/P0001/front.jpg"));
        QCOMPARE(c.userPictureUrl(QStringLiteral("D0001.png")).toString(),
                 QStringLiteral("http://127.0.0.1:8080/image_user/D0001.png"));
        QVERIFY(c.carPictureUrl(QStringLiteral("P0001"), QString()).isEmpty());
        QVERIFY(c.userPictureUrl(QString()).isEmpty());
        // A "?" or "#" in a file name stays in the path; Korean names are encoded.
        const QUrl odd = c.carPictureUrl(QStringLiteral("P1"), QStringLiteral("a?b#c.jpg"));
        QCOMPARE(odd.path(), QStringLiteral("/image_product/P1/a?b#c.jpg"));
        QVERIFY(odd.query().isEmpty());
        QCOMPARE(c.carPictureUrl(QStringLiteral("P1"), QStringLiteral("앞면.jpg")).toEncoded(),
                 QByteArray("http://127.0.0.1:8080/image_product/P1/%EC%95%9E%EB%A9%B4.jpg"));
    }
};

QTEST_MAIN(ConfigTest)
#include "tst_config.moc"
