#include "AlertViewController.h"

#include "AuctionLogging.h"
#include "ScreenContext.h"
#include "Services.h"

#include <QUrl>

namespace tvs {

const QString AlertViewController::kNoData = QStringLiteral("noData");

AlertViewController::AlertViewController(ScreenContext *context, QObject *parent) : Screen(context, parent) {}

void AlertViewController::setStore(const QString &name, const QString &call)
{
    if (!name.isEmpty())
        storeName = name;
    if (!call.isEmpty())
        storeCall = call;
}

void AlertViewController::btnCall()
{
    const QUrl address(QStringLiteral("tel://") + storeCall, QUrl::StrictMode);
    UrlOpener *urls = context() ? context()->urls : nullptr;
    if (!address.isValid()) {
        qCWarning(lcAuction) << "no telephone address can be made of" << storeCall;
        presentAlert(QStringLiteral("전화 걸기"), QStringLiteral("전화를 걸 수 없는 번호입니다."));
        return;
    }
    if (!urls || !urls->canOpen(address) || !urls->open(address)) {
        // A desktop without a telephone application: the number stays on the popup to copy.
        qCInfo(lcAuction) << "nothing here can place a call to" << address.toString();
        presentAlert(QStringLiteral("전화 걸기"),
                     QStringLiteral("이 기기에서는 전화를 걸 수 없습니다.\n번호를 복사해서 사용해 주세요."));
    }
}

void AlertViewController::btnDismiss()
{
    dismiss();
}

} // namespace tvs
