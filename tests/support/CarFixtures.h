#pragma once

#include "AppData.h"
#include "Record.h"
#include "Screen.h"
#include "TestContext.h"

#include <QLocale>
#include <QLoggingCategory>

namespace tvs {
// Generated with the screens library: every area's screens, as the app registers them.
void registerAllScreens(Navigator &navigator);
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
// 20260308), and every screen registered as the app registers it.
inline void startCarTest(TestContext &t)
{
    QLocale::setDefault(QLocale(QLocale::Korean, QLocale::SouthKorea));
    QLoggingCategory::setFilterRules(QStringLiteral("tvs.*.debug=false"));
    TestContext::resetAppData();
    AppData::shared()->userInfo.insert(QStringLiteral("sUserCode"), QStringLiteral("D0001"));
    registerAllScreens(*t.navigator);
}

} // namespace tvs::test

Q_DECLARE_METATYPE(tvs::Record)
