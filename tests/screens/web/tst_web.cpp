#include "CarFixtures.h"
#include "TestCertificate.h"
#include "WebController.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace tvs;
using namespace tvs::test;

class TestWeb : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestContext> t;

    WebController *open(const QString &ch, const QString &pCode, const QString &title)
    {
        auto *screen = qobject_cast<WebController *>(t->navigator->instantiate(u"WebController"_qs));
        screen->setPage(ch, pCode, title);
        m_loads = std::make_unique<QSignalSpy>(screen, &WebController::loadRequested);
        t->navigator->push(screen);
        return screen;
    }
    std::unique_ptr<QSignalSpy> m_loads;

private slots:
    void init()
    {
        t = std::make_unique<TestContext>();
        startCarTest(*t);
        t->config.mwebHost = QStringLiteral("127.0.0.2:8443"); // a page on the wrong host shows
    }
    void cleanup()
    {
        m_loads.reset();
        t.reset();
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("ch");
        QTest::addColumn<QString>("pCode");
        QTest::addColumn<QString>("address"); // after "https://", "zest" or "mweb" for the host
        const QString car = u"sCarProductCode=C000123"_qs;
        QTest::newRow("main_to_web2")
            << u"bizRequest"_qs << QString() << u"zest/service/bizRequest?sUserCode=D0001"_qs;
        QTest::newRow("detail_to_web2")
            << u"summery"_qs << "&" + car << "zest/service/summery?sUserCode=D0001&" + car;
        QTest::newRow("detail_to_web3")
            << u"record"_qs << u"C000123"_qs << "mweb/sub_buycar/buycar_view_func.aspx?" + car;
        QTest::newRow("detail_to_web4")
            << u"inoutgate"_qs << u"C000123"_qs << "zest/service/inoutgate?sUserCode=D0001&" + car;
    }
    void addresses()
    {
        QFETCH(QString, ch);
        QFETCH(QString, pCode);
        QFETCH(QString, address);
        WebController *screen = open(ch, pCode, u"제목"_qs);
        const QString host = address.startsWith(u"zest/") ? t->config.zestHost : t->config.mwebHost;
        QCOMPARE(screen->address().toString(), "https://" + host + address.mid(4));
        QCOMPARE(QList<QVariantList>(*m_loads), QList<QVariantList>{{screen->address()}});
    }

    void firstNavigation_data()
    {
        QTest::addColumn<QString>("first"); // how the first navigation ended
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QString>("noticeAfterAFailure"); // when a next navigation fails
        const QString failed = QStringLiteral("페이지를 불러오지 못했습니다.");
        QTest::newRow("loaded") << "loaded" << QString() << QString();
        QTest::newRow("failed") << "failed" << failed << failed;
        // A script sent the page on (or it was a download): the page stays in view,
        // and where it was sent on to still counts.
        QTest::newRow("aborted") << "aborted" << QString() << failed;
    }
    void firstNavigation()
    {
        QFETCH(QString, first);
        QFETCH(QString, notice);
        QFETCH(QString, noticeAfterAFailure);
        WebController *screen = open("record", "C1", "성능점검 기록부");
        QVERIFY(screen->indicatorVisible());
        first == u"aborted" ? screen->navigationAborted()
                            : screen->navigationFinished(first == u"loaded", u"Connection refused"_qs);
        QVERIFY(!screen->indicatorVisible());
        QCOMPARE(screen->notice(), notice);
        screen->navigationFinished(false, QStringLiteral("later link failed"));
        QCOMPARE(screen->notice(), noticeAfterAFailure);
        QSignalSpy reloads(screen, &WebController::reloadRequested);
        screen->webContentProcessDidTerminate();
        QCOMPARE(reloads.size(), 1);
    }

    // What the web view meets and the engine's own store does not trust: accepted only for
    // an unknown issuer that the configured CA vouches for, for the page's own host.
    void certificatesOfTheConfiguredCaOnly_data()
    {
        QTest::addColumn<bool>("configured"); // the CA file holds the server's certificate
        QTest::addColumn<bool>("unknownAuthority");
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("configured CA, its host") << true << true << "127.0.0.1" << true;
        QTest::newRow("configured CA, by name") << true << true << "localhost" << true;
        QTest::newRow("configured CA, other host") << true << true << "service.example" << false;
        QTest::newRow("configured CA, another fault") << true << false << "127.0.0.1" << false;
        QTest::newRow("another CA") << false << true << "127.0.0.1" << false;
    }
    void certificatesOfTheConfiguredCaOnly()
    {
        QFETCH(bool, configured);
        QFETCH(bool, unknownAuthority);
        QFETCH(QString, host);
        QFETCH(bool, accepted);
        const TestCertificate server = TestCertificate::generate(), other = TestCertificate::generate();
        QVERIFY(!server.isNull() && !other.isNull());
        QFile ca(t->dir.filePath(QStringLiteral("ca.pem")));
        QVERIFY(ca.open(QIODevice::WriteOnly));
        ca.write(configured ? server.certificatePem : other.certificatePem);
        ca.close();
        WebController *screen = open("bizRequest", {}, "업무 요청");
        const WebCertificateError error{unknownAuthority, host, u"not trusted"_qs, {server.certificate}};
        QVERIFY(!screen->acceptsCertificate(error)); // no CA configured yet
        t->config.caFile = ca.fileName();
        QCOMPARE(screen->acceptsCertificate(error), accepted);
        QVERIFY(!screen->acceptsCertificate({unknownAuthority, host, {}, {}})); // no chain
    }

    void withoutAUserCodeNothingLoads()
    {
        AppData::shared()->userInfo.remove(QStringLiteral("sUserCode"));
        WebController *screen = open("bizRequest", {}, "업무 요청");
        QCOMPARE(m_loads->size(), 0);
        QVERIFY(!screen->indicatorVisible());
        QVERIFY(!screen->notice().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWeb)
#include "tst_web.moc"
