#include "LoginCrypto.h"

#include <QtTest>

using namespace tvs;

namespace {
const QString kKey = QStringLiteral("N3vB8cQ1xR6tY0uI5oP2aS7dF4gH9jKm");
const QString kIv = QStringLiteral("q7Lm2Xv9Rt4Wz8Kp");
} // namespace

class TestLoginCrypto : public QObject
{
    Q_OBJECT

private slots:
    void digest_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("hex");
        // Reference digests from an independent MD5 implementation.
        QTest::newRow("empty") << QString() << QStringLiteral("d41d8cd98f00b204e9800998ecf8427e");
        QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("900150983cd24fb0d6963f7d28e17f72");
        QTest::newRow("demo") << QStringLiteral("demo1234") << QStringLiteral("6e9bece1914809fb8493146417e722f6");
        QTest::newRow("hangul utf-8") << QStringLiteral("비밀번호") << QStringLiteral("cd504c7c56a3821206c416fb5460f384");
        QTest::newRow("upper") << QStringLiteral("Password") << QStringLiteral("dc647eb65e6711e155375218212b3964");
        QTest::newRow("lower") << QStringLiteral("password") << QStringLiteral("5f4dcc3b5aa765d61d8327deb882cf99");
    }
    void digest()
    {
        QFETCH(QString, password);
        QFETCH(QString, hex);
        QCOMPARE(passwordDigest(password), hex);
    }

    void base64Strict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("three bytes") << QStringLiteral("QUJD") << true << QByteArray("ABC");
        QTest::newRow("one pad") << QStringLiteral("QUI=") << true << QByteArray("AB");
        QTest::newRow("two pads") << QStringLiteral("QQ==") << true << QByteArray("A");
        QTest::newRow("plus and slash") << QStringLiteral("+/+/") << true << QByteArray::fromHex("fbffbf");
        QTest::newRow("empty") << QString() << true << QByteArray();
        QTest::newRow("missing padding") << QStringLiteral("QUI") << false << QByteArray();
        QTest::newRow("blank inside") << QStringLiteral("QU JD") << false << QByteArray();
        QTest::newRow("line feed") << QStringLiteral("QUJD\n") << false << QByteArray();
        QTest::newRow("pad in the middle") << QStringLiteral("QQ=A") << false << QByteArray();
        QTest::newRow("three pads") << QStringLiteral("Q===") << false << QByteArray();
        QTest::newRow("url-safe alphabet") << QStringLiteral("-_8A") << false << QByteArray();
        QTest::newRow("hangul") << QStringLiteral("한글AB") << false << QByteArray();
        QTest::newRow("plain text") << QStringLiteral("hello world!") << false << QByteArray();
    }
    void base64Strict()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> decoded = decodeBase64Strict(text);
        QCOMPARE(decoded.has_value(), valid);
        if (valid)
            QCOMPARE(*decoded, bytes);
    }

    void knownCiphertext()
    {
        // Made with the openssl command line (enc -aes-256-cbc -K .. -iv .. -base64).
        QCOMPARE(sealQrPayload(QStringLiteral("U7301928465"), kKey, kIv), QStringLiteral("ASabkqrcAR6h8JotoEMYvw=="));
    }

    void aesRefusals()
    {
        const QByteArray key = kKey.toUtf8();
        const QByteArray iv = kIv.toUtf8();
        const QByteArray sealed = *aes256CbcEncrypt("U123", key, iv);
        QCOMPARE(sealed.size(), 16);
        QCOMPARE(*aes256CbcDecrypt(sealed, key, iv), QByteArray("U123"));
        QVERIFY(!aes256CbcDecrypt(QByteArray(), key, iv));
        QVERIFY(!aes256CbcDecrypt(sealed.left(15), key, iv));
        QVERIFY(!aes256CbcDecrypt(sealed, key.left(31), iv));
        QVERIFY(!aes256CbcDecrypt(sealed, key, iv.left(15)));
        QVERIFY(!aes256CbcEncrypt("x", key.left(16), iv));
        QVERIFY(sealQrPayload(QStringLiteral("U1"), QStringLiteral("short"), kIv).isEmpty());
    }

    void openPayload_data()
    {
        QTest::addColumn<QString>("scanned");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("token");
        const auto seal = [](const QString &plain) { return sealQrPayload(plain, kKey, kIv); };
        const QString otherKey = QStringLiteral("00000000000000000000000000000000");
        QTest::newRow("demo token") << seal(QStringLiteral("U7301928465")) << int(QrPayload::Token)
                                    << QStringLiteral("7301928465");
        QTest::newRow("U in the middle") << seal(QStringLiteral("U73U01")) << int(QrPayload::Token)
                                         << QStringLiteral("7301");
        QTest::newRow("U alone") << seal(QStringLiteral("U")) << int(QrPayload::Token) << QString();
        QTest::newRow("no leading U") << seal(QStringLiteral("7301U")) << int(QrPayload::NotUser) << QString();
        QTest::newRow("lower-case u") << seal(QStringLiteral("u7301")) << int(QrPayload::NotUser) << QString();
        QTest::newRow("empty plaintext") << seal(QString()) << int(QrPayload::Rejected) << QString();
        QTest::newRow("not base64") << QStringLiteral("hello world!") << int(QrPayload::Rejected) << QString();
        QTest::newRow("empty text") << QString() << int(QrPayload::Rejected) << QString();
        QTest::newRow("wrong key") << sealQrPayload(QStringLiteral("U7301928465"), otherKey, kIv)
                                   << int(QrPayload::Rejected) << QString();
        QTest::newRow("not utf-8")
            << QString::fromLatin1(aes256CbcEncrypt(QByteArray("U\xff\xfe"), kKey.toUtf8(), kIv.toUtf8())->toBase64())
            << int(QrPayload::NotUtf8) << QString();
        QTest::newRow("not a cipher block") << QStringLiteral("QUJD") << int(QrPayload::Rejected) << QString();
    }
    void openPayload()
    {
        QFETCH(QString, scanned);
        QFETCH(int, kind);
        QFETCH(QString, token);
        const QrPayload payload = openQrPayload(scanned, kKey, kIv);
        QCOMPARE(int(payload.kind), kind);
        QCOMPARE(payload.token, token);
    }
};

QTEST_GUILESS_MAIN(TestLoginCrypto)
#include "tst_logincrypto.moc"
