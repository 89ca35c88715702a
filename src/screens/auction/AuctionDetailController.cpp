#include "AuctionDetailController.h"

#include "AppData.h"
#include "AuctionFields.h"
#include "AuctionLogging.h"
#include "AuctionRows.h"
#include "CarFields.h"
#include "MinuteTicker.h"
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
      m_auctions(context ? context->procedures : nullptr, this), m_clock(new MinuteTicker(this))
{
    connect(m_clock, &MinuteTicker::tick, this, &AuctionDetailController::followClock);
}

void AuctionDetailController::setAuction(const Record &row)
{
    takeList = row;
    fillLabels();
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

void AuctionDetailController::viewWillAppear()
{
    followClock();
    m_clock->start();
}

void AuctionDetailController::viewWillDisappear()
{
    // The photos stop turning once the dealer has left, also if they arrive later.
    m_pager.stop();
    m_clock->stop();
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
    const bool bidden = has("sMaxUserCode");
    auc_maxPriceTitle = bidden ? QStringLiteral("현재 최고 입찰가") : QStringLiteral("시작가");
    auc_maxPrice = wonText(takeList.value(AuctionField::iAuctionMaxPrice));
    emit labelsChanged();
    followClock();
}

void AuctionDetailController::followClock()
{
    const QDateTime at = now();
    const QString left = timeLeftText(takeList.value(AuctionField::sAuctionEndDate), at);
    const bool ended =
        takeList.value(AuctionField::sAuctionStatus) != QLatin1String("1") || auctionPastEnd(takeList, at);
    if (left == m_timeLeft && ended == m_ended)
        return;
    m_timeLeft = left;
    m_ended = ended;
    emit clockChanged();
}

QString AuctionDetailController::moneyText() const
{
    return acu_money.isEmpty() ? QString() : wonText(acu_money);
}

std::optional<qint64> AuctionDetailController::highestBid() const
{
    return decimalInteger(takeList.value(AuctionField::iAuctionMaxPrice));
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
    // One bid at a time, however it is pressed: a second press while the first is
    // being confirmed or sent never places a second bid.
    if (m_bidInFlight || m_confirming)
        return;
    const auto refuse = [this](const QString &message) {
        AppData::showAlertOnMain(this, QString(), message);
    };
    if (m_ended)
        return refuse(QStringLiteral("경매가 마감되어 입찰할 수 없습니다."));
    if (acu_money.isEmpty())
        return refuse(QStringLiteral("입찰 금액을 적어주세요."));
    if (!isAsciiDigits(acu_money))
        return refuse(QStringLiteral("입찰 금액은 숫자로만 적어주세요."));
    if (acu_money.size() > kMaxDigits)
        return refuse(QStringLiteral("입찰 금액은 %1자리까지 적을 수 있습니다.").arg(kMaxDigits));
    const qint64 amount = acu_money.toLongLong();
    // The service refuses it anyway; saying so here costs the dealer no round trip.
    if (const std::optional<qint64> highest = highestBid(); highest && amount <= *highest)
        return refuse(QStringLiteral("%1 %2보다 높은 금액을 적어주세요.")
                          .arg(auc_maxPriceTitle,
                               AppData::formatThousands(QString::number(*highest)) + QStringLiteral("원")));
    m_confirming = true;
    const QString typed = acu_money;
    presentActions(
        QStringLiteral("%1원에 입찰하시겠습니까?").arg(AppData::formatThousands(QString::number(amount))),
        QString(),
        {DialogAction{QStringLiteral("취소"), DialogAction::Cancel},
         DialogAction{QStringLiteral("입찰"), DialogAction::Default}},
        [this, typed](int action) {
            m_confirming = false;
            if (action == 1)
                sendBid(typed);
        });
}

void AuctionDetailController::sendBid(const QString &amount)
{
    setBidInFlight(true);
    AppData *appData = AppData::shared();
    const QString dealer = appData->userCode();
    ++appData->bidsInFlight;
    QPointer<AuctionDetailController> self(this);
    m_auctions.bid(takeList.value(AuctionField::sAuctionCode), dealer, amount,
                   [self, auction = takeList, dealer, amount](const QueryResult<BidAnswer> &result) {
                       AppData *appData = AppData::shared();
                       --appData->bidsInFlight;
                       // The board and the outbid watch must hear of a taken bid even when
                       // the dealer has left, and the board of one whose fate is unknown:
                       // it then shows whether it stands.
                       if (result.ok() && result.value.taken) {
                           Record led = auction;
                           led.insert(AuctionField::iAuctionMaxPrice, QString::number(amount.toLongLong()));
                           led.insert(AuctionField::sMaxUserCode, dealer);
                           appData->takenBids.append(led);
                       }
                       const bool refused = result.ok() && !result.value.taken;
                       if (result.status != QueryStatus::NotSent && !refused)
                           appData->aucRefresh = true;
                       if (self)
                           self->bidAnswered(result);
                   });
}

void AuctionDetailController::bidAnswered(const QueryResult<BidAnswer> &result)
{
    setBidInFlight(false);
    if (result.status == QueryStatus::NotSent)
        presentAlert(QStringLiteral("실패"), QStringLiteral("이 경매에는 입찰할 수 없습니다."));
    // Never repeated from the alert: a bid is placed by the dealer's own press. With
    // no answer, the bid may or may not stand; the board fetches again to show which.
    else if (alertIfFailed(this, result, QStringLiteral("입찰 결과를 확인하지 못했습니다.")))
        return;
    else if (result.value.taken)
        bidTaken();
    else
        // The typed amount stays, for the dealer to raise it.
        AppData::showAlertOnMain(
            this, QStringLiteral("실패"),
            !result.value.message.isEmpty()
                ? result.value.message
                : QStringLiteral("입금승인요청에 실패하였습니다.\n잠시후 다시 시도해주십시오."));
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
