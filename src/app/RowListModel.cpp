#include "RowListModel.h"

#include <QHash>

#include <algorithm>

namespace tvs {

namespace {

constexpr int kFirstRole = Qt::UserRole + 1;

// Runs of consecutive indices in [0, size) for which `in` is false.
QList<RowListModelBase::Range> runsOutside(const QList<bool> &in)
{
    QList<RowListModelBase::Range> runs;
    for (int i = 0; i < in.size(); ++i) {
        if (in.at(i))
            continue;
        if (!runs.isEmpty() && runs.last().last == i - 1)
            runs.last().last = i;
        else
            runs.append({i, i});
    }
    return runs;
}

// For each next row, the row shown that it continues (-1 for none).
QList<int> pairUp(const QStringList &shown, const QStringList &next)
{
    QHash<std::pair<QString, int>, int> shownAt;
    shownAt.reserve(shown.size());
    QHash<QString, int> seen;
    for (int i = 0; i < shown.size(); ++i)
        shownAt.insert({shown.at(i), seen[shown.at(i)]++}, i);
    seen.clear();
    QList<int> from(next.size(), -1);
    for (int i = 0; i < next.size(); ++i)
        from[i] = shownAt.value({next.at(i), seen[next.at(i)]++}, -1);
    return from;
}

// The next rows on the longest run whose rows shown are in ascending order
// (patience sorting, n log n).
QList<bool> longestInOrder(const QList<int> &from)
{
    QList<int> tails;                   // next rows ending the runs of each length
    QList<int> before(from.size(), -1); // the next row before each on its run
    for (int i = 0; i < from.size(); ++i) {
        if (from.at(i) < 0)
            continue;
        const auto at = std::lower_bound(tails.cbegin(), tails.cend(), from.at(i),
                                         [&from](int row, int value) { return from.at(row) < value; });
        const qsizetype length = at - tails.cbegin();
        if (length > 0)
            before[i] = tails.at(length - 1);
        if (at == tails.cend())
            tails.append(i);
        else
            tails[length] = i;
    }
    // (A size the compiler can see is not negative: GCC's -O3 otherwise warns of a
    // fill beyond any object.)
    QList<bool> on(std::max(from.size(), qsizetype(0)), false);
    for (int i = tails.isEmpty() ? -1 : tails.last(); i >= 0; i = before.at(i))
        on[i] = true;
    return on;
}

} // namespace

RowListModelBase::RowListModelBase(const QByteArrayList &outlets, const QByteArray &indexOutlet,
                                   QObject *parent)
    : QAbstractListModel(parent)
{
    for (int i = 0; i < outlets.size(); ++i)
        m_roleNames.insert(kFirstRole + i, outlets.at(i));
    if (!indexOutlet.isEmpty()) {
        m_indexRole = kFirstRole + int(outlets.size());
        m_roleNames.insert(m_indexRole, indexOutlet);
    }
}

QVariant RowListModelBase::cell(int row, const QByteArray &outlet) const
{
    const int role = m_roleNames.key(outlet, -1);
    return role < 0 ? QVariant() : data(index(row), role);
}

int RowListModelBase::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RowListModelBase::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !hasRow(index.row()) || !m_roleNames.contains(role))
        return {};
    return role == m_indexRole ? QVariant(index.row()) : cells(index.row()).value(role - kFirstRole);
}

QHash<int, QByteArray> RowListModelBase::roleNames() const
{
    return m_roleNames;
}

QList<int> RowListModelBase::changedRoles(const QVariantList &shown, const QVariantList &next)
{
    QList<int> roles;
    for (qsizetype i = 0; i < qMax(shown.size(), next.size()); ++i) {
        if (shown.value(i) != next.value(i))
            roles.append(kFirstRole + int(i));
    }
    return roles;
}

RowListModelBase::Plan RowListModelBase::plan(const QStringList &shown, const QStringList &next)
{
    const QList<int> from = pairUp(shown, next);
    const QList<bool> stays = longestInOrder(from);
    Plan plan;
    QList<bool> shownStays(shown.size(), false);
    for (int i = 0; i < next.size(); ++i) {
        if (stays.at(i)) {
            shownStays[from.at(i)] = true;
            plan.kept.append({i, from.at(i)});
        }
    }
    plan.removed = runsOutside(shownStays);
    plan.inserted = runsOutside(stays);
    return plan;
}

void RowListModelBase::announce(const QList<std::pair<int, QList<int>>> &changes)
{
    for (qsizetype i = 0; i < changes.size();) {
        qsizetype end = i + 1;
        while (end < changes.size() && changes.at(end).first == changes.at(end - 1).first + 1 &&
               changes.at(end).second == changes.at(i).second)
            ++end;
        if (!changes.at(i).second.isEmpty())
            emit dataChanged(index(changes.at(i).first), index(changes.at(end - 1).first),
                             changes.at(i).second);
        i = end;
    }
}

void RowListModelBase::announceIndexesFrom(int first)
{
    if (m_indexRole >= 0 && hasRow(first))
        emit dataChanged(index(first), index(count() - 1), {m_indexRole});
}

} // namespace tvs
