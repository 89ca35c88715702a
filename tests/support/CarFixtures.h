#pragma once

#include "AppData.h"
#include "Record.h"
#include "Screen.h"
#include "TestContext.h"

#include <QLocale>
#include <QLoggingCategory>

namespace tvs {
void registerDashboardScreens(Navigator &navigator);
void registerInventoryScreens(Navigator &navigator);
void registerWebScreens(Navigator &navigator);
void registerWorkOrderScreens(Navigator &navigator);
void registerAuctionScreens(Navigator &navigator);
void registerWizardScreens(Navigator &navigator);
} // namespace tvs

namespace tvs::test {

// A passenger car as ps_GetUserProductCar_Info2 sends it, with `more` fields on top.
inline Record carRow(const QString &code, const QString &status,
                     std::initializer_list<std::pair<QString, QString>> more = {})
{
    Record r{{QStringLiteral("sCarProductCode"), code},
             {QStringLiteral("sCarName1"), QStringLiteral("현대")},
             {QStringLiteral("sCarName2"), QStringLiteral("쏘나타")},
             {QStringLiteral("sCarName3"), QStringLiteral("쏘나타 (DN8)")},
             {QStringLiteral("sCarGroup"), QStringLiteral("승용")},
             {QStringLiteral("sCarProductNum"), QStringLiteral("12가3456")},
             {QStringLiteral("sCarProductYearMonth"), QStringLiteral("2019")},
             {QStringLiteral("sCarProductMileage"), QStringLiteral("45210")},
             {QStringLiteral("sCarFuelName"), QStringLiteral("가솔린")},
             {QStringLiteral("sCarStatus"), status}};
    for (const auto &f : more)
        r.insert(f.first, f.second);
    return r;
}

// What every test of the car screens starts from: a Korean locale, dealer D0001
// signed in, the clock at 2026-03-15 10:00 in Seoul (now4Month 20251115, now7Day
// 20260308), the dashboard, inventory, web, work-order, auction and wizard screens
// registered, and a plain screen for every other destination they lead to.
inline void startCarTest(TestContext &t)
{
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QLoggingCategory::setFilterRules(QStringLiteral("tvs.*.debug=false"));
    TestContext::resetAppData();
    AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), QStringLiteral("D0001"));
    registerDashboardScreens(*t.navigator);
    registerInventoryScreens(*t.navigator);
    registerWebScreens(*t.navigator);
    registerWorkOrderScreens(*t.navigator);
    registerAuctionScreens(*t.navigator);
    registerWizardScreens(*t.navigator);
    for (const char *other : {"LoginController"})
        t.navigator->registerScreen(QString::fromLatin1(other), QUrl(),
                                    [](ScreenContext *c) { return new Screen(c); });
}

} // namespace tvs::test

Q_DECLARE_METATYPE(tvs::Record)
