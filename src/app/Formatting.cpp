#include "Formatting.h"

#include "ThemeColors.h"

#include <QLocale>

#include <array>
#include <limits>

namespace tvs {

namespace {

struct StatusRow
{
    const char16_t *code;
    const char16_t *text;
    QColor background;
};

const std::array<StatusRow, 19> &statusTable()
{
    static const std::array<StatusRow, 19> rows{{
        {u"1", u"  판매중  ", theme::statusOrange()},
        {u"2", u"  검사중  ", theme::statusBlue()},
        {u"3", u"  입고중  ", theme::statusViolet()},
        {u"4", u"  출고중  ", theme::statusGreen()},
        {u"5", u"  출고중  ", theme::statusGreen()},
        {u"6", u"  경매차량  ", theme::statusGreen()},
        {u"7", u"  구입취소  ", theme::statusGrey()},
        {u"8", u"  임시저장  ", theme::statusGrey()},
        {u"9", u"  판매완료  ", theme::statusLightGrey()},
        {u"10", u"  계약취소  ", theme::statusGrey()},
        {u"11", u"  계약완료  ", theme::statusLightGrey()},
        {u"12", u"  출고대기  ", theme::statusGrey()},
        {u"13", u"  수리중  ", theme::statusBlue()},
        {u"14", u"  판매요청  ", theme::statusCyan()},
        {u"15", u"  정비중  ", theme::statusBlue()},
        {u"16", u"  검사완료  ", theme::statusLightGrey()},
        {u"17", u"  수리완료  ", theme::statusCoral()},
        {u"18", u"  입고 후 정비  ", theme::statusCoral()},
        {u"19", u"  입고 후 수리완료  ", theme::statusCoral()},
    }};
    return rows;
}

} // namespace

StatusLabel carStatusLabel(const QString &code)
{
    // Whole-text comparison: "01" or "1 " is not "1".
    for (const StatusRow &row : statusTable()) {
        if (code == QStringView(row.code))
            return StatusLabel{QString::fromUtf16(row.text), row.background};
    }
    return StatusLabel{QStringLiteral("  Error  "), theme::navy()};
}

QString formatThousands(const QString &text)
{
    // Only a plain signed decimal integer is formatted; QString::toLongLong alone
    // would also accept surrounding blanks.
    const qsizetype digitsFrom = (text.startsWith(u'+') || text.startsWith(u'-')) ? 1 : 0;
    if (text.size() == digitsFrom)
        return text;
    for (qsizetype i = digitsFrom; i < text.size(); ++i) {
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return text;
    }
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok)
        return text;
    return QLocale().toString(value);
}

std::optional<qint64> decimalInteger(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number so that the smallest 64-bit value fits too.
    qint64 value = 0;
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c.unicode() - u'0';
        if (value < (kMin + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin)
            return std::nullopt;
        value = -value;
    }
    return value;
}

} // namespace tvs
