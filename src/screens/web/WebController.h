#pragma once

#include "Screen.h"
#include "WebCertificatePolicy.h"

#include <QTimer>
#include <QUrl>

namespace tvs {

// A page of the service's web hosts inside the app. The opener names the page
// with setPage before it is shown; the address is built once, on load. Without
// the web engine the page asks the controller to open the address in the system
// browser instead.
class WebController : public Screen, public WebCertificatePolicy
{
    Q_OBJECT
    Q_INTERFACES(tvs::WebCertificatePolicy)
    Q_PROPERTY(QString title READ title NOTIFY addressChanged)
    Q_PROPERTY(QUrl address READ address NOTIFY addressChanged)
    Q_PROPERTY(bool indicatorVisible READ indicatorVisible NOTIFY indicatorChanged)
    Q_PROPERTY(double indicatorScale READ indicatorScale NOTIFY indicatorChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)

public:
    static constexpr int kRequestTimeoutMs = 60000;

    explicit WebController(ScreenContext *context, QObject *parent = nullptr);

    QString ch;       // which page: "summery", "record", "inoutgate", "bizRequest", ...
    QString pCode;    // the car's part of the address
    QString setTitle; // the bar's title

    // From the opener, before the screen is shown.
    void setPage(const QString &page, const QString &carPart, const QString &title);

    void viewDidLoad() override;
    void viewWillAppear() override;

    // The address of page `ch` for the car part `pCode` and the dealer `userCode`;
    // an invalid URL when it cannot be built (no user code for a service page).
    static QUrl pageAddress(const QString &ch, const QString &pCode, const QString &userCode,
                            const class Config &config);

    // From the page: a navigation ended (ok or failed), the web content
    // process ended, the web engine is missing.
    Q_INVOKABLE void navigationFinished(bool succeeded, const QString &error = {});
    // A navigation ended "aborted" (a script sent the page on, or it was a download):
    // no failure of the page, which stays in view; the next navigation still counts.
    Q_INVOKABLE void navigationAborted();
    Q_INVOKABLE void webContentProcessDidTerminate();
    Q_INVOKABLE void webEngineUnavailable();
    // The web view met a certificate its own store does not trust: accepted only when
    // its issuer is unknown to the engine and the chain verifies, for its host, against
    // the CAs configured for the service.
    bool acceptsCertificate(const WebCertificateError &error) override;

    QString title() const { return setTitle; }
    QUrl address() const { return m_address; }
    bool indicatorVisible() const { return m_indicatorVisible; }
    double indicatorScale() const { return m_indicatorScale; }
    QString notice() const { return m_notice; }

signals:
    void addressChanged();
    void indicatorChanged();
    void noticeChanged();
    // For the page: load the address / reload it / give up the pending load.
    void loadRequested(const QUrl &address);
    void reloadRequested();
    void stopRequested();

private:
    void firstNavigationEnded(const QString &notice);
    void setNotice(const QString &notice);

    QUrl m_address;
    QTimer m_requestTimer;
    bool m_firstNavigationDone = false;
    bool m_indicatorVisible = true;
    double m_indicatorScale = 1.0;
    QString m_notice;
};

} // namespace tvs
