// tvs-qr: makes the picture of a sign-in QR code, as the dealer's card carries it:
// the plaintext ("U" and the dealer's QR token) encrypted with the app's AES key and
// IV, in Base64, as a QR code. With no options it makes the demo dealer's code.
#include "LoginCrypto.h"
#include "QrDecoder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace tvs;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tvs-qr"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Makes a sign-in QR code picture (PNG). Without options: the demo dealer's code."));
    parser.addHelpOption();
    const QCommandLineOption tokenOption(QStringList{QStringLiteral("t"), QStringLiteral("token")},
                                         QStringLiteral("the dealer's QR token (digits)"), QStringLiteral("token"),
                                         QStringLiteral("7301928465"));
    const QCommandLineOption plainOption(QStringLiteral("plaintext"),
                                         QStringLiteral("the exact text to encrypt instead of \"U\" + token"),
                                         QStringLiteral("text"));
    const QCommandLineOption moduleOption(QStringLiteral("module"), QStringLiteral("pixels per module (default 8)"),
                                          QStringLiteral("pixels"), QStringLiteral("8"));
    const QCommandLineOption outOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("PNG file to write (default demo-dealer-qr.png)"),
                                       QStringLiteral("file"), QStringLiteral("demo-dealer-qr.png"));
    parser.addOptions({tokenOption, plainOption, moduleOption, outOption});
    parser.process(app);

    QTextStream err(stderr);
    QTextStream out(stdout);
    const QString plaintext = parser.isSet(plainOption) ? parser.value(plainOption)
                                                        : QStringLiteral("U") + parser.value(tokenOption);
    bool moduleOk = false;
    const int module = parser.value(moduleOption).toInt(&moduleOk);
    if (!moduleOk || module < 1 || module > 64) {
        err << "tvs-qr: --module takes a whole number from 1 to 64\n";
        return 2;
    }

    const QString payload = sealQrPayload(plaintext, kQrAesKey.toString(), kQrAesIv.toString());
    if (payload.isEmpty()) {
        err << "tvs-qr: the AES key or IV is unusable\n";
        return 1;
    }
    const QImage image = encodeQrImage(payload, module);
    if (image.isNull()) {
        err << "tvs-qr: the text is too long for a QR code\n";
        return 1;
    }
    // What the app will read from the picture must be what was meant.
    const std::optional<QrDetection> check = decodeQrImage(image);
    if (!check || check->text != payload) {
        err << "tvs-qr: the picture does not read back; nothing written\n";
        return 1;
    }
    const QString file = parser.value(outOption);
    if (!image.save(file, "PNG")) {
        err << "tvs-qr: cannot write " << file << "\n";
        return 1;
    }
    out << file << "\n" << payload << "\n";
    return 0;
}
