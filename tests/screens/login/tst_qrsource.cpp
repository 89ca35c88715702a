#include "CameraQrSource.h"
#include "QrDecoder.h"
#include "ScriptedQrSource.h"

#include <QCameraDevice>
#include <QMediaDevices>
#include <QPainter>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QVideoSink>
#include <QtTest>

using namespace tvs;
using tvs::test::ScriptedQrSource;

namespace {
QImage white(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
} // namespace

class TestQrSource : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("turn");
        QTest::addColumn<qreal>("scale");
        QTest::newRow("base64") << QStringLiteral("ASabkqrcAR6h8JotoEMYvw==") << 0 << 1.0;
        QTest::newRow("hangul") << QStringLiteral("로그인 U73") << 0 << 1.0;
        QTest::newRow("turned") << QStringLiteral("U7301928465") << 90 << 1.0;
        QTest::newRow("small") << QStringLiteral("U7301928465") << 0 << 0.5;
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, turn);
        QFETCH(qreal, scale);
        QImage image = encodeQrImage(text, 6);
        QVERIFY(!image.isNull());
        image = image.transformed(QTransform().rotate(turn).scale(scale, scale));
        // A photo is rarely just the code: put it on a larger grey picture.
        QImage photo(image.width() + 200, image.height() + 120, QImage::Format_RGB32);
        photo.fill(QColor(200, 200, 200));
        QPainter(&photo).drawImage(120, 40, image);

        const std::optional<QrDetection> found = decodeQrImage(photo);
        QVERIFY(found);
        QCOMPARE(found->text, text);
        QCOMPARE(found->sourceSize, QSizeF(photo.size()));
        QCOMPARE(found->corners.size(), 4);
        for (const QPointF &corner : found->corners) {
            QVERIFY2(corner.x() >= 110 && corner.x() <= 130 + image.width(), qPrintable(QString::number(corner.x())));
            QVERIFY(corner.y() >= 30 && corner.y() <= 50 + image.height());
        }
    }

    void nothingToRead()
    {
        QVERIFY(!decodeQrImage(QImage()));
        QVERIFY(!decodeQrImage(white(300)));
    }

    void previewRect_data()
    {
        QTest::addColumn<QSizeF>("source");
        QTest::addColumn<QSizeF>("preview");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("same aspect") << QSizeF(100, 100) << QSizeF(200, 200) << QRectF(20, 20, 40, 40);
        // A wide frame fills a square preview by its height; the sides are cut.
        QTest::newRow("wide source") << QSizeF(200, 100) << QSizeF(100, 100) << QRectF(-40, 10, 20, 20);
        QTest::newRow("tall source") << QSizeF(100, 200) << QSizeF(100, 100) << QRectF(10, -40, 20, 20);
        QTest::newRow("no preview yet") << QSizeF(100, 100) << QSizeF() << QRectF();
    }
    void previewRect()
    {
        QFETCH(QSizeF, source);
        QFETCH(QSizeF, preview);
        QFETCH(QRectF, expected);
        QrDetection d;
        d.corners = {QPointF(10, 10), QPointF(30, 10), QPointF(30, 30), QPointF(10, 30)};
        d.sourceSize = source;
        QCOMPARE(previewRectOf(d, preview), expected);
        d.corners.clear();
        QCOMPARE(previewRectOf(d, preview), QRectF());
    }

    void framesOnlyWhileRunning()
    {
        ScriptedQrSource source;
        QSignalSpy detected(&source, &QrSource::detected);
        QSignalSpy nothing(&source, &QrSource::nothingDetected);
        const QImage code = encodeQrImage(QStringLiteral("U1"));
        source.feed(code);
        QTest::qWait(50);
        QCOMPARE(detected.size(), 0);

        source.start();
        QCOMPARE(source.startCount, 1);
        source.start(); // already running: no second start
        QCOMPARE(source.startCount, 1);
        source.feed(code);
        QTRY_COMPARE_WITH_TIMEOUT(detected.size(), 1, 20000);
        QCOMPARE(detected.first().first().value<QrDetection>().text, QStringLiteral("U1"));

        source.feed(white(200));
        QTRY_COMPARE_WITH_TIMEOUT(nothing.size(), 1, 20000);
    }

    void decodesOffTheUiThreadOneFrameAtATime()
    {
        ScriptedQrSource source;
        QSignalSpy detected(&source, &QrSource::detected);
        source.start();
        QSemaphore gate;
        QThread *decodeThread = nullptr;
        const QImage code = encodeQrImage(QStringLiteral("U42"));
        source.feedWith([&gate, &decodeThread, code] {
            decodeThread = QThread::currentThread();
            gate.acquire();
            return code;
        });
        source.feed(code);
        source.feed(code);
        QCOMPARE(source.droppedFrames(), 2);
        gate.release();
        QTRY_COMPARE_WITH_TIMEOUT(detected.size(), 1, 20000);
        QVERIFY(decodeThread && decodeThread != QThread::currentThread());
        // Free again: the next frame is decoded.
        source.feed(code);
        QTRY_COMPARE_WITH_TIMEOUT(detected.size(), 2, 20000);
        QCOMPARE(source.droppedFrames(), 2);
    }

    void staleFramesAfterStop()
    {
        ScriptedQrSource source;
        QSignalSpy detected(&source, &QrSource::detected);
        QSignalSpy nothing(&source, &QrSource::nothingDetected);
        source.start();
        QSemaphore gate;
        const QImage code = encodeQrImage(QStringLiteral("U42"));
        source.feedWith([&gate, code] {
            gate.acquire();
            return code;
        });
        // Leaving and coming back while the frame is decoded: its code is stale.
        source.stop();
        source.start();
        gate.release();
        QTRY_VERIFY_WITH_TIMEOUT((source.feed(white(100)), nothing.size() > 0), 20000);
        QCOMPARE(detected.size(), 0);
    }

    void imageFiles()
    {
        QTemporaryDir dir;
        const QString codeFile = dir.filePath(QStringLiteral("code.png"));
        QVERIFY(encodeQrImage(QStringLiteral("U7301928465")).save(codeFile));
        const QString blankFile = dir.filePath(QStringLiteral("blank.png"));
        QVERIFY(white(100).save(blankFile));
        const QString junkFile = dir.filePath(QStringLiteral("junk.png"));
        {
            QFile junk(junkFile);
            QVERIFY(junk.open(QIODevice::WriteOnly));
            junk.write("not a picture");
        }

        ScriptedQrSource source; // stopped: a file is read anyway
        QSignalSpy detected(&source, &QrSource::detected);
        QSignalSpy failed(&source, &QrSource::imageFailed);
        source.decodeImageFile(codeFile);
        QTRY_COMPARE_WITH_TIMEOUT(detected.size(), 1, 20000);
        QCOMPARE(detected.first().first().value<QrDetection>().text, QStringLiteral("U7301928465"));

        source.decodeImageFile(blankFile);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
        QCOMPARE(failed.last().at(1).toString(), QStringLiteral("이미지에서 QR 코드를 찾을 수 없습니다."));
        source.decodeImageFile(junkFile);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 2, 20000);
        QCOMPARE(failed.last().at(1).toString(), QStringLiteral("이미지를 열 수 없습니다."));
        source.decodeImageFile(dir.filePath(QStringLiteral("missing.png")));
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 3, 20000);
        QCOMPARE(detected.size(), 1);
    }

    void previewSinkGoesFirst()
    {
        // The page (and its VideoOutput's sink) may go before the source does.
        CameraQrSource camera;
        auto *sink = new QVideoSink;
        camera.setPreviewSink(sink);
        camera.start();
        delete sink;
        camera.stop();
        camera.start();
        QVERIFY(camera.isRunning());
        auto *other = new QVideoSink;
        camera.setPreviewSink(other);
        camera.setPreviewSink(nullptr);
        delete other;
        camera.stop();
        QVERIFY(!camera.isRunning());
    }

    void cameraWithoutDevice()
    {
        if (!QMediaDevices::videoInputs().isEmpty())
            QSKIP("this machine has a camera");
        CameraQrSource camera;
        QTest::ignoreMessage(QtWarningMsg, "No Camera");
        QVERIFY(!camera.prepare());
        QVERIFY(!camera.hasCamera());
        camera.start();
        camera.stop();
        QVERIFY(!camera.isRunning());
    }
};

QTEST_MAIN(TestQrSource)
#include "tst_qrsource.moc"
