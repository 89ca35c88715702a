#include "LoginCrypto.h"
#include "QrDecoder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tvs;

// The tool's pictures read back, through the app's decoder and rules, as the token
// they were made for.
class TestTvsQr : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    int run(const QStringList &args, QString *output = nullptr)
    {
        QProcess tool;
        tool.start(QStringLiteral(TVS_QR_TOOL), args);
        if (!tool.waitForFinished(60000))
            return -1;
        if (output)
            *output = QString::fromUtf8(tool.readAllStandardOutput());
        return tool.exitCode();
    }

private slots:
    void makes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("token");
        QTest::newRow("demo dealer") << QStringList() << QStringLiteral("7301928465");
        QTest::newRow("other token") << QStringList{QStringLiteral("--token"), QStringLiteral("123")}
                                     << QStringLiteral("123");
        QTest::newRow("small modules") << QStringList{QStringLiteral("--module"), QStringLiteral("2")}
                                       << QStringLiteral("7301928465");
    }
    void makes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, token);
        const QString file = m_dir.filePath(QStringLiteral("%1.png").arg(QTest::currentDataTag()));
        QString output;
        QCOMPARE(run(args + QStringList{QStringLiteral("-o"), file}, &output), 0);
        const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.first(), file);
        const std::optional<QrDetection> read = decodeQrImage(QImage(file));
        QVERIFY(read);
        QCOMPARE(read->text, lines.last());
        const QrPayload payload = openQrPayload(read->text, kQrAesKey.toString(), kQrAesIv.toString());
        QCOMPARE(int(payload.kind), int(QrPayload::Token));
        QCOMPARE(payload.token, token);
    }

    void refuses()
    {
        QVERIFY(run({QStringLiteral("--module"), QStringLiteral("0"), QStringLiteral("-o"),
                     m_dir.filePath(QStringLiteral("x.png"))})
                != 0);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("x.png"))));
        QVERIFY(run({QStringLiteral("-o"), m_dir.filePath(QStringLiteral("missing/dir/x.png"))}) != 0);
    }
};

QTEST_GUILESS_MAIN(TestTvsQr)
#include "tst_tvsqr.moc"
