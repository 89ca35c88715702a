#include "Record.h"

namespace tvs {

Record::Record(std::initializer_list<std::pair<QString, QString>> fields)
{
    for (const auto &field : fields)
        insert(field.first, field.second);
}

Record::Record(QStringList distinctNames, QStringList values)
    : m_names(std::move(distinctNames)), m_values(std::move(values))
{
}

bool Record::contains(const QString &field) const
{
    return m_names.contains(field);
}

QString Record::value(const QString &field, const QString &fallback) const
{
    const qsizetype at = m_names.indexOf(field);
    return at < 0 ? fallback : m_values.at(at);
}

void Record::insert(const QString &field, const QString &value)
{
    if (const qsizetype at = m_names.indexOf(field); at >= 0) {
        m_values[at] = value;
        return;
    }
    m_names.append(field);
    m_values.append(value);
}

bool Record::remove(const QString &field)
{
    const qsizetype at = m_names.indexOf(field);
    if (at < 0)
        return false;
    m_names.removeAt(at);
    m_values.removeAt(at);
    return true;
}

QList<std::pair<QString, QString>> Record::fields() const
{
    QList<std::pair<QString, QString>> fields;
    fields.reserve(m_names.size());
    for (qsizetype i = 0; i < m_names.size(); ++i)
        fields.append({m_names.at(i), m_values.at(i)});
    return fields;
}

} // namespace tvs
