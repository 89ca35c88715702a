#include "AuctionDetailController.h"

#include "AppData.h"
#include "AuctionFields.h"
#include "AuctionLogging.h"
#include "CarFields.h"
#include "Navigator.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"

#include <QPointer>

namespace tvs {

const QString AuctionDetailController::kUnknown = QStringLiteral("--");

namespace {

bool isAsciiDigits(const QString &text)
{
    return !text.isEmpty() &&
           std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

AuctionDetailController::AuctionDetailController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), m_cars(context ? context->procedures : nullptr, this),
      m_auctions(context ? context->procedures : nullptr, this)
{
}

void AuctionDetailController::viewDidLoad()
{
    fillLabels();
    const QString code = takeList.value(CarField::sCarProductCode);
    if (code.isEmpty()) {
        qCWarning(lcAuction) << "auction detail: the row carries no car code; no photos fetched";
        return;
    }
    m_cars.photos(code, [this, code](const QueryResult<QStringList> &result) {
        if (result.ok())
            m_pager.setUp(code, result.value, context() ? context()->config : nullptr);
    });
}

void AuctionDetailController::viewWillDisappear()
{
    // The photos stop turning once the dealer has left, also if they arrive later.
    m_pager.stop();
}

void AuctionDetailController::fillLabels()
{
    // An empty value tells the dealer no more than a missing one: both show "--".
    const auto v = [this](const char *field) {
        const QString value = takeList.value(QLatin1String(field));
        return value.isEmpty() ? kUnknown : value;
    };
    const auto has = [this](const char *field) { return !takeList.value(QLatin1String(field)).isEmpty(); };
    const auto number = [&](const char *field) {
        return has(field) ? AppData::formatThousands(v(field)) : kUnknown;
    };

    auc_info = v("sCarProductNum") + QStringLiteral(" / ") + v("sCarProductYearMonth");
    if (has("sCarName3")) {
        // The trim is the model text before its first "(" (the generation code);
        // a text without one is the trim whole.
        const QString model = takeList.value(CarField::sCarName3);
        const QString trim = model.section(u'(', 0, 0);
        auc_carName = has("sCarName1") ? takeList.value(CarField::sCarName1) + u' ' + trim : trim;
        auc_carKind = trim;
    } else {
        auc_carName = v("sCarName2");
    }
    auc_carPrice = number("iCarProductMoney");
    auc_carYear = v("sCarProductYearMonth");
    auc_carCC = has("sCarCC") ? takeList.value(CarField::sCarCC) + QStringLiteral("cc") : kUnknown;
    auc_carMile = has("sCarProductMileage") ? number("sCarProductMileage") + QStringLiteral("km") : kUnknown;
    auc_carColor = v("sCarColorName");
    auc_carNum = v("sCarProductNum");
    auc_carContent = takeList.value(CarField::sCarProductContent);
    emit labelsChanged();
}

void AuctionDetailController::setBidInFlight(bool inFlight)
{
    if (m_bidInFlight == inFlight)
        return;
    m_bidInFlight = inFlight;
    emit bidInFlightChanged();
}

void AuctionDetailController::btnMoneyInsert()
{
    if (m_bidInFlight)
        return; // one bid at a time: a second tap never places a second bid
    if (acu_money.isEmpty()) {
        AppData::showAlertOnMain(this, QString(), QStringLiteral("입찰 금액을 적어주세요."));
        return;
    }
    if (!isAsciiDigits(acu_money)) {
        AppData::showAlertOnMain(this, QString(), QStringLiteral("입찰 금액은 숫자로만 적어주세요."));
        return;
    }
    setBidInFlight(true);
    QPointer<AuctionDetailController> self(this);
    m_auctions.bid(takeList.value(AuctionField::sAuctionCode), AppData::shared()->userCode(), acu_money,
                   [self](const QueryResult<bool> &result) {
                       // The board must hear of a taken bid even when the dealer has left,
                       // and of one whose fate is unknown: it then shows whether it stands.
                       const bool sent = result.status != QueryStatus::NotSent;
                       if ((result.ok() && result.value) || (sent && RequestFailure::of(result)))
                           AppData::shared()->aucRefresh = true;
                       if (!self)
                           return;
                       self->setBidInFlight(false);
                       if (result.status == QueryStatus::NotSent)
                           self->presentAlert(QStringLiteral("실패"),
                                              QStringLiteral("이 경매에는 입찰할 수 없습니다."));
                       // Never repeated from the alert: a bid is placed by the dealer's own press.
                       else if (alertIfFailed(self, result,
                                              QStringLiteral("입찰 결과를 확인하지 못했습니다.")))
                           return;
                       else if (result.value)
                           self->bidTaken();
                       else
                           AppData::showAlertOnMain(
                               self, QStringLiteral("실패"),
                               QStringLiteral("입금승인요청에 실패하였습니다.\n잠시후 다시 시도해주십시오."));
                   });
}

void AuctionDetailController::bidTaken()
{
    Navigator *nav = navigator();
    if (nav && nav->top() != this)
        return; // already left: the board fetches again when it is next shown
    presentAlert(QStringLiteral("완료"), QStringLiteral("입찰이 완료되었습니다."), [this] {
        Navigator *nav = navigator();
        if (nav && nav->top() == this)
            nav->pop(this);
    });
}

} // namespace tvs
