// The serving threads: changes sent at the same moment to different threads are applied
// one after the other, and a client that sends its request a byte at a time is refused
// while the others are served.
#include "CallText.h"
#include "Database.h"
#include "ProcedureCaller.h"
#include "ReplyWalk.h"
#include "SoapRequest.h"
#include "StandInService.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tvs;

class ServiceServing : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<StandInService> m_service;
    QNetworkAccessManager m_nam;
    QSslConfiguration m_tls;

    QNetworkReply *post(const QString &operation, const QString &text)
    {
        SoapRequest soap = makeSoapRequest(m_service->apiHost(), operation, text);
        soap.request.setSslConfiguration(m_tls);
        return m_nam.post(soap.request, soap.body);
    }

    // The walked reply ("rtn" and the dashboard's counts kept), or the HTTP status in
    // `error` when the call was not answered with a data set.
    static WalkResult finish(QNetworkReply *reply)
    {
        const bool answered = QTest::qWaitFor([reply] { return reply->isFinished(); }, 30000);
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (!answered || status != 200) {
            WalkResult failed;
            failed.error = answered ? QStringLiteral("HTTP %1").arg(status) : QStringLiteral("no answer");
            return failed;
        }
        ReplyShape shape;
        shape.namedElements = {QStringLiteral("rtn"), QStringLiteral("sSellWait")};
        return walkReply(reply->readAll(), shape);
    }

private slots:
    void initTestCase()
    {
        StandInService::Options options;
        options.dataDir = m_dir.path();
        options.workers = 4;
        options.requestReadMs = 1500;
        m_service = std::make_unique<StandInService>(options);
        QVERIFY2(m_service->start(), qPrintable(m_service->errorString()));
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls.addCaCertificates(m_service->caCertificates());
    }

    // Six dealers' bids of one amount at once on one auction, round after round: each
    // round exactly one is taken (the others are no longer higher), none fails, and the
    // database holds exactly the bids that were taken.
    void concurrentBidsOnOneAuction()
    {
        const QString auction = QStringLiteral("AU0002");
        const auto bids = [&] {
            return m_service
                ->queryValue(QStringLiteral("SELECT COUNT(*) FROM bids WHERE sAuctionCode = ?"), {auction})
                .toInt();
        };
        const int before = bids();
        for (int round = 1; round <= 10; ++round) {
            const QString amount = QString::number(30'000'000 + round * 100'000);
            QList<QNetworkReply *> pending;
            for (int i = 0; i < 6; ++i) {
                const QString dealer = i % 2 ? QStringLiteral("D0002") : demo::kUserCode;
                pending << post(kProcedureExecute,
                                callText(QStringLiteral("ps_SetAuctionCar"), {auction, dealer, amount}));
            }
            QStringList answers;
            for (QNetworkReply *reply : pending) {
                const WalkResult w = finish(reply);
                answers << (w.error.isEmpty() ? w.named.value(QStringLiteral("rtn")) : w.error);
            }
            QCOMPARE(answers.count(QStringLiteral("YES")), 1);
            QCOMPARE(answers.count(QStringLiteral("NO")), 5);
            QCOMPARE(bids(), before + round);
            QCOMPARE(
                m_service
                    ->queryValue(QStringLiteral("SELECT MAX(iBidPrice) FROM bids WHERE sAuctionCode = ?"),
                                 {auction})
                    .toString(),
                amount);
        }
    }

    // A statement is prepared once per connection and reused, but one that is still
    // running is never handed out again: a loop over one statement's rows may run the
    // same statement inside it.
    void statementReusedButNeverTwiceAtOnce()
    {
        Database db(QStringLiteral("serving-statements"));
        QString error;
        QVERIFY2(db.attach(m_dir.filePath(QStringLiteral("tvs-service.sqlite")), &error), qPrintable(error));
        const QString sql = QStringLiteral("SELECT sCarProductCode FROM cars WHERE sStoreCode = ? ORDER BY 1");
        QStringList outer, inner;
        QSqlQuery *first = nullptr;
        {
            Statement a(db, sql);
            first = &a.query();
            a.query().addBindValue(QStringLiteral("S0001"));
            QVERIFY(a.query().exec());
            while (a.query().next()) {
                outer << a.query().value(0).toString();
                Statement b(db, sql);
                QVERIFY(&b.query() != &a.query());
                b.query().addBindValue(QStringLiteral("S0002"));
                QVERIFY(b.query().exec() && b.query().next());
                inner << b.query().value(0).toString();
            }
        }
        QVERIFY(outer.size() > 1);
        QCOMPARE(inner.size(), outer.size());
        QVERIFY(!outer.contains(inner.first()));
        Statement again(db, sql);
        QCOMPARE(&again.query(), first);
    }

    void slowClientIsRefusedWhileOthersAreServed()
    {
        QSslSocket slow;
        slow.setSslConfiguration(m_tls);
        slow.connectToHostEncrypted(QStringLiteral("127.0.0.1"), m_service->apiPort());
        QVERIFY(slow.waitForEncrypted(10000));
        const QByteArray request =
            "POST /sub_asmx/asmx_soap.asmx HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 400\r\n\r\n";
        qsizetype sent = 0;
        QTimer drip;
        connect(&drip, &QTimer::timeout, &slow, [&] {
            if (sent < request.size())
                slow.write(request.mid(sent++, 1));
        });
        drip.start(100);
        QTest::qWait(300);
        const WalkResult counts =
            finish(post(kProcedureList, callText(QStringLiteral("ps_UserCarCount"), {demo::kUserCode})));
        QVERIFY2(counts.named.contains(QStringLiteral("sSellWait")), qPrintable(counts.error));
        QTRY_VERIFY_WITH_TIMEOUT(slow.bytesAvailable() > 0 || slow.state() != QAbstractSocket::ConnectedState,
                                 10000);
        QVERIFY(slow.readAll().startsWith("HTTP/1.1 408"));
        QVERIFY(sent < request.size());
    }
};

QTEST_MAIN(ServiceServing)
#include "tst_service_serving.moc"
