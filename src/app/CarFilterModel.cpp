#include "CarFilterModel.h"

#include "CarRowModel.h"
#include "Formatting.h"

#include <QRegularExpression>

#include <array>

namespace tvs {

namespace {

// The fields a dealer finds a car by: plate, maker, model and detail names (a
// lorry's name shows its body form), year.
const QStringList &searchedFields()
{
    static const QStringList fields = {
        QStringLiteral("sCarProductNum"),
        QStringLiteral("sCarName1"),
        QStringLiteral("sCarName2"),
        QStringLiteral("sCarName3"),
        QStringLiteral("sCarName4"),
        QStringLiteral("sCarName5"),
        QStringLiteral("sCarName6"),
        QStringLiteral("sCarFormName2"),
        QStringLiteral("sCarProductYearMonth"),
    };
    return fields;
}

// Compatibility decomposition takes Hangul syllables apart into their letters
// (and a letter typed alone to the letter that begins a syllable), so a word
// matches the names it begins even in the middle of a syllable; case is folded.
QString searchForm(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KD).toCaseFolded();
}

constexpr char16_t kFirstFinal = 0x11A8;
constexpr char16_t kLastFinal = 0x11C2;

// Each final consonant (U+11A8 to U+11C2) as it reads when the next vowel takes
// it over: the consonant that begins the next syllable, after the part of a
// double final that stays behind.
constexpr std::array<std::array<char16_t, 2>, kLastFinal - kFirstFinal + 1> kFinalMovedOn = {{
    {0, 0x1100},      {0, 0x1101},      {0x11A8, 0x1109}, {0, 0x1102},      {0x11AB, 0x110C},
    {0x11AB, 0x1112}, {0, 0x1103},      {0, 0x1105},      {0x11AF, 0x1100}, {0x11AF, 0x1106},
    {0x11AF, 0x1107}, {0x11AF, 0x1109}, {0x11AF, 0x1110}, {0x11AF, 0x1111}, {0x11AF, 0x1112},
    {0, 0x1106},      {0, 0x1107},      {0x11B8, 0x1109}, {0, 0x1109},      {0, 0x110A},
    {0, 0x110B},      {0, 0x110C},      {0, 0x110E},      {0, 0x110F},      {0, 0x1110},
    {0, 0x1111},      {0, 0x1112},
}};

// A word that ends in a final consonant, with that consonant moved on; empty otherwise.
QString movedOn(const QString &word)
{
    if (word.isEmpty())
        return {};
    const char16_t last = word.back().unicode();
    if (last < kFirstFinal || last > kLastFinal)
        return {};
    const auto &[stays, begins] = kFinalMovedOn[last - kFirstFinal];
    QString ahead = word.chopped(1);
    if (stays)
        ahead += QChar(stays);
    return ahead + QChar(begins);
}

} // namespace

CarFilterModel::CarFilterModel(CarRowModel *cars, QObject *parent)
    : QSortFilterProxyModel(parent), m_cars(cars)
{
    setSourceModel(cars);
    const auto rowsCameOrWent = [this] {
        if (!m_refiltering)
            emit countChanged();
    };
    connect(this, &QAbstractItemModel::rowsInserted, this, rowsCameOrWent);
    connect(this, &QAbstractItemModel::rowsRemoved, this, rowsCameOrWent);
    connect(this, &QAbstractItemModel::modelReset, this, rowsCameOrWent);
    connect(this, &QAbstractItemModel::layoutChanged, this, rowsCameOrWent);
    // The whole table's size is part of the count text.
    connect(cars, &RowListModelBase::countChanged, this, &CarFilterModel::countChanged);
}

QString CarFilterModel::searchTextOf(const Record &car)
{
    QStringList parts;
    for (const QString &field : searchedFields()) {
        QString value = searchForm(car.value(field));
        value.removeIf([](QChar c) { return c.isSpace(); });
        if (!value.isEmpty())
            parts.append(value);
    }
    // Words never hold a blank, so none matches across two fields.
    return parts.join(u' ');
}

void CarFilterModel::setSearchText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList words = searchForm(text).split(blanks, Qt::SkipEmptyParts);
    const QString ahead = words.isEmpty() ? QString() : movedOn(words.last());
    const bool sameRows = words == m_words && ahead == m_lastWordAhead;
    m_words = words;
    m_lastWordAhead = ahead;
    emit searchTextChanged();
    // A blank more or less narrows nothing: the rows stay as they are.
    if (sameRows)
        return;
    // One count change for the whole new view, not one for each run of rows it drops or takes in.
    m_refiltering = true;
    invalidateRowsFilter();
    m_refiltering = false;
    emit countChanged();
}

QString CarFilterModel::countText() const
{
    if (!filtering())
        return {};
    return QStringLiteral("%1 / %2대")
        .arg(formatThousands(QString::number(rowCount())), formatThousands(QString::number(m_cars->count())));
}

bool CarFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_words.isEmpty())
        return true;
    const QString &search = m_cars->rows().at(sourceRow).search;
    for (qsizetype i = 0; i + 1 < m_words.size(); ++i) {
        if (!search.contains(m_words.at(i)))
            return false;
    }
    return search.contains(m_words.last()) ||
           (!m_lastWordAhead.isEmpty() && search.contains(m_lastWordAhead));
}

} // namespace tvs
