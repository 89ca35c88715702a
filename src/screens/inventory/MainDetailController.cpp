#include "MainDetailController.h"

#include "AppData.h"
#include "CarFields.h"
#include "InventoryLogging.h"
#include "InventoryTransitions.h"
#include "RequestAlerts.h"
#include "ScreenContext.h"
#include "WebController.h"
#include "WizardState.h"

#include <QTimer>

namespace tvs {

namespace {

const QString kTruckGroup = QStringLiteral("화물특장버스");

struct IconRule
{
    const char *optionCode;
    const char *imageName;
};

// The eight option icons, in the order of option_img1 .. option_img8.
constexpr IconRule kIconRules[] = {
    {"A000039", "detail_icn_01_on"}, {"A000034", "detail_icn_02_on"}, {"A000001", "detail_icn_03_on"},
    {"A000006", "detail_icn_04_on"}, {"A000070", "detail_icn_05_on"}, {"A000026", "detail_icn_06_on"},
    {"A000069", "detail_icn_07_on"}, {"A000013", "detail_icn_08_on"},
};

Records group(const Records &catalogue, const QString &groupCode)
{
    Records rows;
    for (const Record &row : catalogue) {
        if (row.value(CarField::sCarOptionCode) == groupCode && row.contains(CarField::sCarOptionCode))
            rows.append(row);
    }
    return rows;
}

// The catalogue name of an option, with each parenthesised detail on a line of its own.
Record catalogueRecord(const Record &reply)
{
    Record row;
    for (const auto &[field, value] : reply.fields()) {
        if (field == CarField::sCarOptionDetailName) {
            QString name = value;
            row.insert(field, name.replace(QLatin1Char('('), QStringLiteral("\n(")));
        } else {
            row.insert(field, value);
        }
    }
    return row;
}

} // namespace

const QString MainDetailController::kOptionMoreClosed = QStringLiteral("+ 옵션 더보기");
const QString MainDetailController::kOptionMoreOpen = QStringLiteral("- 옵션 닫기");

MainDetailController::MainDetailController(ScreenContext *context, QObject *parent)
    : Screen(context, parent), option_img(8), m_cars(context ? context->procedures : nullptr, this),
      m_optionMoreTitle(kOptionMoreClosed)
{
}

bool MainDetailController::isTruck() const
{
    return takeList.value(CarField::sCarGroup) == kTruckGroup;
}

int MainDetailController::optionIconIndex(const QString &optionDetailCode)
{
    for (int i = 0; i < 8; ++i) {
        if (optionDetailCode == QLatin1String(kIconRules[i].optionCode))
            return i;
    }
    return -1;
}

void MainDetailController::viewDidLoad()
{
    fillLabels();
    const QString code = takeList.value(CarField::sCarProductCode);
    if (code.isEmpty()) {
        qCWarning(lcInventory) << "car detail: the record carries no car code; nothing fetched";
        return;
    }
    fetchPhotos(code);
    fetchOptions(code);
}

void MainDetailController::fetchPhotos(const QString &code)
{
    m_cars.photos(code, [this, code](const QueryResult<QStringList> &result) {
        if (alertIfFailed(this, result, QStringLiteral("차량 사진을 불러오지 못했습니다."),
                          [this, code] { fetchPhotos(code); }))
            return;
        getImgList = result.value;
        m_pager.setUp(code, getImgList, context() ? context()->config : nullptr);
    });
}

void MainDetailController::fetchOptions(const QString &code)
{
    m_cars.carOptions(code, [this, code](const QueryResult<Records> &result) {
        if (alertIfFailed(this, result, QStringLiteral("차량 옵션을 불러오지 못했습니다."),
                          [this, code] { fetchOptions(code); }))
            return;
        getOpCheckList = result.value;
        lightIcons();
        fetchCatalogue();
    });
}

void MainDetailController::viewWillAppear()
{
    setLoading(true);
}

void MainDetailController::viewDidAppear()
{
    setLoading(false);
}

void MainDetailController::viewWillDisappear()
{
    m_pager.stop();
}

void MainDetailController::fillLabels()
{
    const auto v = [this](const QString &field) { return takeList.value(field); };
    const auto has = [this](const QString &field) { return takeList.contains(field); };

    detail_info = v(CarField::sCarProductNum) + QStringLiteral("  /  ") + v(CarField::sCarProductYearMonth);
    if (isTruck())
        detail_Name = v(CarField::sCarFormName1);
    else if (has(CarField::sCarName4))
        detail_Name = v(CarField::sCarName1) + QLatin1Char(' ') + v(CarField::sCarName3) + QLatin1Char(' ') +
                      v(CarField::sCarName4);
    else
        detail_Name = v(CarField::sCarName1) + QLatin1Char(' ') + v(CarField::sCarName3);
    detail_Price = AppData::formatThousands(v(CarField::iCarProductMoney));
    detail_Year = QStringLiteral("  ") + v(CarField::sCarProductYearMonth);
    if (has(CarField::sCarName2))
        detail_Kind = v(CarField::sCarName2);
    detail_CC = QStringLiteral("  ") + AppData::formatThousands(v(CarField::sCarCC)) + QStringLiteral(" cc");
    detail_Color = QStringLiteral("  ") + v(CarField::sCarColorName);
    datail_CarNumber = QStringLiteral("  ") + v(CarField::sCarProductNum);
    detail_Content = v(CarField::sCarProductContent);
    detail_mileage = QStringLiteral("  ") + AppData::formatThousands(v(CarField::sCarProductMileage)) +
                     QStringLiteral(" km");
    if (has(CarField::iCarProductReadCount))
        detail_readCount = v(CarField::iCarProductReadCount);
    if (has(CarField::iFavoirteCount))
        detail_favoirteCount = v(CarField::iFavoirteCount);
    emit labelsChanged();
}

void MainDetailController::lightIcons()
{
    bool changed = false;
    for (const Record &row : std::as_const(getOpCheckList)) {
        if (!row.contains(CarField::sCarOptionDetailCode))
            continue;
        const int icon = optionIconIndex(row.value(CarField::sCarOptionDetailCode));
        if (icon < 0)
            continue;
        option_img[icon] = QLatin1String(kIconRules[icon].imageName);
        changed = true;
    }
    if (changed)
        emit optionImagesChanged();
}

void MainDetailController::fetchCatalogue()
{
    m_cars.optionCatalogue([this](const QueryResult<Records> &result) {
        if (alertIfFailed(this, result, QStringLiteral("옵션 목록을 불러오지 못했습니다."),
                          [this] { fetchCatalogue(); }))
            return;
        getOpMoreList.clear();
        for (const Record &row : result.value)
            getOpMoreList.append(catalogueRecord(row));
        splitCatalogue();
        layOutBoxes();
    });
}

void MainDetailController::splitCatalogue()
{
    const auto g = [this](const char *code) { return group(getOpMoreList, QLatin1String(code)); };
    getCarOpList1 = g("A000001");
    getCarOpList2 = g("A000002");
    getCarOpList3 = g("A000003");
    getCarOpList4 = g("A000004");
    getTruckOpList1_1 = g("A000006");
    getTruckOpList1 = g("A000005") + getTruckOpList1_1;
    getTruckOpList2 = g("A000007");
    getTruckOpList3_1 = g("A000009");
    getTruckOpList3 = g("A000008") + getTruckOpList3_1;
    getTruckOpList4 = g("A000010");
}

bool MainDetailController::carHasOption(const Record &item) const
{
    // An item is marked when the car reports that option under the item's own
    // group; for a passenger car that is the box's group "A000001" .. "A000004",
    // and a truck's options are matched within the truck groups of its boxes.
    const QString groupCode = item.value(CarField::sCarOptionCode);
    const bool itemHasCode = item.contains(CarField::sCarOptionDetailCode);
    const QString itemCode = item.value(CarField::sCarOptionDetailCode);
    for (const Record &own : getOpCheckList) {
        if (own.value(CarField::sCarOptionCode) != groupCode || !own.contains(CarField::sCarOptionCode))
            continue;
        const bool ownHasCode = own.contains(CarField::sCarOptionDetailCode);
        if (ownHasCode != itemHasCode)
            continue;
        if (!ownHasCode || own.value(CarField::sCarOptionDetailCode) == itemCode)
            return true;
    }
    return false;
}

void MainDetailController::layOutBoxes()
{
    const bool truck = isTruck();
    const Records *lists[4] = {
        truck ? &getTruckOpList1 : &getCarOpList1,
        truck ? &getTruckOpList2 : &getCarOpList2,
        truck ? &getTruckOpList3 : &getCarOpList3,
        truck ? &getTruckOpList4 : &getCarOpList4,
    };
    opBoxHeight = 300;
    for (int n = 0; n < 4; ++n) {
        QList<bool> selected;
        for (const Record &item : *lists[n])
            selected.append(carHasOption(item));
        m_boxes[n].setRows(*lists[n], selected);
        opBoxHeight += m_boxes[n].boxHeight();
    }
    emit boxesChanged();
}

QVariantList MainDetailController::boxHeights() const
{
    QVariantList heights;
    for (const OptionGridModel &box : m_boxes)
        heights.append(box.boxHeight());
    return heights;
}

void MainDetailController::btnOptionMore()
{
    const bool unfold = !isOptionMoreOpen;
    isOptionMoreOpen = unfold;
    // The change shows on the next turn of the event loop and reads the box
    // height then, so unfolding before the catalogue has arrived unfolds by 0.
    QTimer::singleShot(0, this, [this, unfold] {
        if (unfold) {
            m_optionMoreTitle = kOptionMoreOpen;
            m_btnOpMoreBottom = opBoxHeight;
            m_contentSizeH += opBoxHeight;
            m_appliedUnfold = opBoxHeight;
        } else {
            m_optionMoreTitle = kOptionMoreClosed;
            m_btnOpMoreBottom = 1;
            m_contentSizeH -= m_appliedUnfold;
            m_appliedUnfold = 0;
        }
        emit foldChanged();
    });
    emit foldChanged();
}

void MainDetailController::gotoAction_ContractPic()
{
    const QString status = takeList.value(CarField::sCarStatus);
    if (status == QLatin1String("1") || status == QLatin1String("3")) {
        qCInfo(lcInventory) << "통과";
        return;
    }
    AppData::showAlertOnMain(this, QStringLiteral("오류"),
                             QStringLiteral("입고중이나 판매중인 상태에서만 작성하실 수 있습니다."));
}

void MainDetailController::prepareForSegue(const QString &identifier, Screen *destination)
{
    const QString code = takeList.value(CarField::sCarProductCode);
    if (identifier == InventoryTransition::detail_to_enter) {
        // The wizard takes the car through the session store, in edit mode.
        WizardState::startEdit(takeList);
        return;
    }
    auto *web = qobject_cast<WebController *>(destination);
    if (!web)
        return;
    if (identifier == InventoryTransition::detail_to_web2)
        web->setPage(QStringLiteral("summery"), QStringLiteral("&sCarProductCode=") + code,
                     QStringLiteral("정산내역"));
    else if (identifier == InventoryTransition::detail_to_web3)
        web->setPage(QStringLiteral("record"), code, QStringLiteral("성능점검 기록부"));
    else if (identifier == InventoryTransition::detail_to_web4)
        web->setPage(QStringLiteral("inoutgate"), code, QStringLiteral("매입매출금액입력"));
}

} // namespace tvs
