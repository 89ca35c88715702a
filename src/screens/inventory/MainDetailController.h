#pragma once

#include "CarQueries.h"
#include "InventoryTransitions.h"
#include "OptionGridModel.h"
#include "PhotoPager.h"
#include "Record.h"
#include "Screen.h"

#include <QStringList>

namespace tvs {

// One car of the dealer: its data from the record the opener hands over
// (`takeList`), the photo pager, eight option icons lit from the car's own
// options and four option boxes with the whole catalogue of the car's kind.
class MainDetailController : public Screen
{
    Q_OBJECT

    TVS_LABEL(detail_info)
    TVS_LABEL(detail_Name)
    TVS_LABEL(detail_Price)
    TVS_LABEL(detail_Year)
    TVS_LABEL(detail_Kind)
    TVS_LABEL(detail_CC)
    TVS_LABEL(detail_Color)
    TVS_LABEL(datail_CarNumber)
    TVS_LABEL(detail_Content)
    TVS_LABEL(detail_mileage)
    TVS_LABEL(detail_readCount)
    TVS_LABEL(detail_favoirteCount)
    Q_PROPERTY(bool isTruck READ isTruck NOTIFY labelsChanged)

    // Image names of option_img1 .. option_img8: "detail_icn_0N_on" when lit, else empty.
    Q_PROPERTY(QStringList optionImages READ optionImages NOTIFY optionImagesChanged)

    Q_PROPERTY(QObject *collection1 READ collection1 CONSTANT)
    Q_PROPERTY(QObject *collection2 READ collection2 CONSTANT)
    Q_PROPERTY(QObject *collection3 READ collection3 CONSTANT)
    Q_PROPERTY(QObject *collection4 READ collection4 CONSTANT)
    Q_PROPERTY(QVariantList boxHeights READ boxHeights NOTIFY boxesChanged)
    Q_PROPERTY(double opBoxHeight MEMBER opBoxHeight NOTIFY boxesChanged)

    Q_PROPERTY(bool isOptionMoreOpen MEMBER isOptionMoreOpen NOTIFY foldChanged)
    Q_PROPERTY(QString optionMoreTitle READ optionMoreTitle NOTIFY foldChanged)
    Q_PROPERTY(double const_btnOpMoreBottom READ btnOpMoreBottom NOTIFY foldChanged)
    Q_PROPERTY(double const_ContentSizeH READ contentSizeH NOTIFY foldChanged)

    Q_PROPERTY(QObject *pager READ pagerObject CONSTANT)

public:
    // Height of the folded page's content on a phone-sized window.
    static constexpr double kContentBaseHeight = 1000;
    static const QString kOptionMoreClosed; // "+ 옵션 더보기"
    static const QString kOptionMoreOpen;   // "- 옵션 닫기"

    explicit MainDetailController(ScreenContext *context, QObject *parent = nullptr);

    // Labels, as the dealer sees them.
    QString detail_info;
    QString detail_Name;
    QString detail_Price;
    QString detail_Year;
    QString detail_Kind;
    QString detail_CC;
    QString detail_Color;
    QString datail_CarNumber;
    QString detail_Content;
    QString detail_mileage;
    QString detail_readCount = QStringLiteral("0");
    QString detail_favoirteCount = QStringLiteral("0");

    double opBoxHeight = 0;
    bool isOptionMoreOpen = false;
    Record takeList;
    QStringList getImgList; // the car's photo paths
    Records getOpCheckList;
    Records getOpMoreList;
    Records getCarOpList1, getCarOpList2, getCarOpList3, getCarOpList4;
    Records getTruckOpList1, getTruckOpList1_1, getTruckOpList2, getTruckOpList3, getTruckOpList3_1,
        getTruckOpList4;
    QStringList option_img; // 8 image names, empty while unlit

    void viewDidLoad() override;
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // From the opener, before the screen is shown: the whole car record.
    void setCar(const Record &record) { takeList = record; }

    Q_INVOKABLE void btnOptionMore();
    Q_INVOKABLE void gotoAction_ContractPic();
    // The car's web pages and the registration wizard in edit mode.
    Q_INVOKABLE void openSettlement() { performSegue(InventoryTransition::detail_to_web2); }
    Q_INVOKABLE void openInspectionRecord() { performSegue(InventoryTransition::detail_to_web3); }
    Q_INVOKABLE void openPriceEntry() { performSegue(InventoryTransition::detail_to_web4); }
    Q_INVOKABLE void editCar() { performSegue(InventoryTransition::detail_to_enter); }

    bool isTruck() const;
    QStringList optionImages() const { return option_img; }
    QObject *collection1() { return &m_boxes[0]; }
    QObject *collection2() { return &m_boxes[1]; }
    QObject *collection3() { return &m_boxes[2]; }
    QObject *collection4() { return &m_boxes[3]; }
    OptionGridModel &box(int n) { return m_boxes[n - 1]; }
    QVariantList boxHeights() const;
    QString optionMoreTitle() const { return m_optionMoreTitle; }
    double btnOpMoreBottom() const { return m_btnOpMoreBottom; }
    double contentSizeH() const { return m_contentSizeH; }
    PhotoPager &pager() { return m_pager; }
    QObject *pagerObject() { return &m_pager; }

    // The icon a car option lights: index 0..7 of option_img, or -1.
    static int optionIconIndex(const QString &optionDetailCode);

signals:
    void labelsChanged();
    void optionImagesChanged();
    void boxesChanged();
    void foldChanged();

private:
    void fillLabels();
    void fetchPhotos(const QString &code);
    void fetchOptions(const QString &code);
    void fetchCatalogue();
    void lightIcons();
    void splitCatalogue();
    void layOutBoxes();
    bool carHasOption(const Record &catalogueRow) const;

    CarQueries m_cars;
    OptionGridModel m_boxes[4];
    PhotoPager m_pager;
    QString m_optionMoreTitle;
    double m_btnOpMoreBottom = 1;
    double m_contentSizeH = kContentBaseHeight;
    double m_appliedUnfold = 0; // what the last unfold added to the content height
};

} // namespace tvs
