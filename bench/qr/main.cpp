// How long the QR reader takes for one camera frame, with and without a code in
// it. Frames are decoded one at a time on a worker; a frame that arrives while one
// is decoded is dropped, so this time is the delay between two frames looked at.
#include "LoginCrypto.h"
#include "QrDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

using namespace tvs;

namespace {

// A frame of `size` with the demo code at a quarter of its height, on grey noise.
QImage frameWith(const QSize &size, bool withCode)
{
    QImage frame(size, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < frame.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(frame.scanLine(y));
        for (int x = 0; x < frame.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int v = 110 + int((seed >> 16) % 60);
            line[x] = qRgb(v, v, v);
        }
    }
    if (withCode) {
        const QString payload =
            sealQrPayload(QStringLiteral("U7301928465"), kQrAesKey.toString(), kQrAesIv.toString());
        const QImage code = encodeQrImage(payload, std::max(2, size.height() / 4 / 33));
        QPainter(&frame).drawImage((size.width() - code.width()) / 2, (size.height() - code.height()) / 2, code);
    }
    return frame;
}

double medianMs(const QImage &frame, bool expectCode, int rounds)
{
    QList<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        const bool found = decodeQrImage(frame).has_value();
        times.append(t.nsecsElapsed() / 1e6);
        if (found != expectCode) {
            std::fprintf(stderr, "unexpected result: %s\n", found ? "code found" : "no code");
            return -1;
        }
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int rounds = 15;
    for (const QSize size : {QSize(640, 480), QSize(1280, 720), QSize(1920, 1080)}) {
        const double with = medianMs(frameWith(size, true), true, rounds);
        const double without = medianMs(frameWith(size, false), false, rounds);
        out << size.width() << "x" << size.height() << ": " << QString::number(with, 'f', 1) << " ms with a code, "
            << QString::number(without, 'f', 1) << " ms without (median of " << rounds << ")\n";
    }
    return 0;
}
