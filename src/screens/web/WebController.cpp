#include "WebController.h"

#include "AppData.h"
#include "CarFields.h"
#include "Config.h"
#include "DealerFields.h"
#include "ExtraCaTrust.h"
#include "ScreenContext.h"
#include "Services.h"
#include "WebLogging.h"

#include <QUrlQuery>

namespace tvs {

namespace {
const QString kCarCodePrefix = QStringLiteral("&sCarProductCode=");
} // namespace

WebController::WebController(ScreenContext *context, QObject *parent) : Screen(context, parent)
{
    m_requestTimer.setSingleShot(true);
    m_requestTimer.setInterval(kRequestTimeoutMs);
    connect(&m_requestTimer, &QTimer::timeout, this, [this] {
        if (m_firstNavigationDone)
            return;
        qCWarning(lcWeb) << "web page" << m_address.toString() << "did not load within 60 seconds";
        emit stopRequested();
        firstNavigationEnded(QStringLiteral("페이지를 불러오지 못했습니다. (시간 초과)"));
    });
}

QUrl WebController::pageAddress(const QString &ch, const QString &pCode, const QString &userCode,
                                const Config &config)
{
    if (ch == QLatin1String("record")) {
        QUrl url = config.mwebUrl(QStringLiteral("/sub_buycar/buycar_view_func.aspx"));
        if (url.isEmpty())
            return {};
        QUrlQuery query;
        query.addQueryItem(CarField::sCarProductCode, pCode);
        url.setQuery(query);
        return url;
    }
    if (userCode.isEmpty() || ch.isEmpty())
        return {};
    QUrl url = config.zestUrl(QStringLiteral("/service/") + ch);
    if (url.isEmpty())
        return {};
    QUrlQuery query;
    query.addQueryItem(DealerField::sUserCode, userCode);
    if (ch == QLatin1String("summery") || ch == QLatin1String("inoutgate")) {
        // Both car pages take the car as a parameter of its own, whether the
        // opener handed the bare code or the "&sCarProductCode=" form.
        const QString car = pCode.startsWith(kCarCodePrefix) ? pCode.mid(kCarCodePrefix.size()) : pCode;
        query.addQueryItem(CarField::sCarProductCode, car);
    }
    url.setQuery(query);
    return url;
}

void WebController::setPage(const QString &page, const QString &carPart, const QString &title)
{
    ch = page;
    pCode = carPart;
    setTitle = title;
}

void WebController::viewDidLoad()
{
    const QString userCode = AppData::shared()->userInfo.value(DealerField::sUserCode);
    if (!context() || !context()->config) {
        qCWarning(lcWeb) << "web page: no configuration";
        firstNavigationEnded(QStringLiteral("페이지 주소를 알 수 없습니다."));
        return;
    }
    m_address = pageAddress(ch, pCode, userCode, *context()->config);
    emit addressChanged();
    if (!m_address.isValid()) {
        qCWarning(lcWeb) << "web page" << ch << "has no address (user code missing?)";
        firstNavigationEnded(QStringLiteral("페이지 주소를 알 수 없습니다."));
        return;
    }
    m_requestTimer.start();
    emit loadRequested(m_address);
}

void WebController::viewWillAppear()
{
    m_indicatorScale = 3.0;
    emit indicatorChanged();
}

void WebController::navigationFinished(bool succeeded, const QString &error)
{
    if (m_firstNavigationDone)
        return;
    if (succeeded) {
        firstNavigationEnded({});
        return;
    }
    qCWarning(lcWeb) << "web page" << m_address.toString() << "failed:" << error;
    firstNavigationEnded(QStringLiteral("페이지를 불러오지 못했습니다."));
}

void WebController::navigationAborted()
{
    if (m_firstNavigationDone)
        return;
    qCInfo(lcWeb) << "web page" << m_address.toString() << "navigation aborted; the page stays in view";
    m_requestTimer.stop();
    if (m_indicatorVisible) {
        m_indicatorVisible = false;
        emit indicatorChanged();
    }
}

void WebController::webContentProcessDidTerminate()
{
    qCWarning(lcWeb) << "web content process ended; reloading" << m_address.toString();
    emit reloadRequested();
}

void WebController::webEngineUnavailable()
{
    m_requestTimer.stop();
    if (!m_address.isValid())
        return;
    UrlOpener *urls = context() ? context()->urls : nullptr;
    const bool opened = urls && urls->open(m_address);
    if (!opened)
        qCWarning(lcWeb) << "web page: no web engine and the system browser did not open"
                               << m_address.toString();
    firstNavigationEnded(opened ? QStringLiteral("브라우저에서 페이지를 열었습니다.")
                                : QStringLiteral("페이지를 열 수 없습니다."));
}

bool WebController::acceptsCertificate(const WebCertificateError &error)
{
    const Config *config = context() ? context()->config : nullptr;
    // Only an issuer the engine does not know can be vouched for by the configured CAs;
    // any other fault (expired, wrong host, revoked, ...) stays refused.
    QString why = QStringLiteral("not a matter of an unknown issuer");
    if (error.unknownAuthority && !config)
        why = QStringLiteral("no configuration");
    else if (error.unknownAuthority &&
             chainVerifiesAgainst(error.chain, config->caCertificates(), error.host, &why))
        return true;
    qCWarning(lcWeb) << "web page certificate refused for" << error.host << error.description << "-" << why;
    return false;
}

void WebController::firstNavigationEnded(const QString &notice)
{
    m_firstNavigationDone = true;
    m_requestTimer.stop();
    if (m_indicatorVisible) {
        m_indicatorVisible = false;
        emit indicatorChanged();
    }
    setNotice(notice);
}

void WebController::setNotice(const QString &notice)
{
    if (m_notice == notice)
        return;
    m_notice = notice;
    emit noticeChanged();
}

} // namespace tvs
