#include "JobLineModel.h"

namespace tvs {

const QString JobLineModel::kNoShopTitle = QStringLiteral("정비소 선택");

void JobLineModel::setLines(const QList<JobLine> &lines)
{
    beginResetModel();
    m_lines.clear();
    for (const JobLine &line : lines)
        m_lines.append(Line{m_nextId++, line});
    endResetModel();
    emit countChanged();
}

QList<JobLine> JobLineModel::lines() const
{
    QList<JobLine> out;
    out.reserve(m_lines.size());
    for (const Line &l : m_lines)
        out.append(l.line);
    return out;
}

int JobLineModel::rowOf(int lineId) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).id == lineId)
            return int(i);
    }
    return -1;
}

int JobLineModel::append(const JobLine &line)
{
    const int row = count();
    beginInsertRows(QModelIndex(), row, row);
    m_lines.append(Line{m_nextId++, line});
    endInsertRows();
    emit countChanged();
    return m_lines.last().id;
}

bool JobLineModel::remove(int lineId)
{
    const int row = rowOf(lineId);
    if (row < 0)
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    m_lines.removeAt(row);
    endRemoveRows();
    emit countChanged();
    return true;
}

bool JobLineModel::setContent(int lineId, const QString &content)
{
    const int row = rowOf(lineId);
    if (row < 0 || m_lines.at(row).line.content == content)
        return false;
    m_lines[row].line.content = content;
    emit dataChanged(index(row), index(row), {JobContentRole});
    return true;
}

bool JobLineModel::setShop(int lineId, const Record &shop)
{
    const int row = rowOf(lineId);
    if (row < 0)
        return false;
    m_lines[row].line.shop = shop;
    emit dataChanged(index(row), index(row), {JobButtonRole});
    return true;
}

int JobLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant JobLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const Line &l = m_lines.at(index.row());
    switch (role) {
    case LineIdRole:
        return l.id;
    case JobContentRole:
        return l.line.content;
    case JobButtonRole:
        return l.line.shop.isEmpty() ? kNoShopTitle : l.line.shop.value(QStringLiteral("sStoreName"));
    default:
        return {};
    }
}

QHash<int, QByteArray> JobLineModel::roleNames() const
{
    return {{LineIdRole, "lineId"}, {JobContentRole, "cell_JobContent"}, {JobButtonRole, "cellJobButton"}};
}

} // namespace tvs
