#include "Record.h"

namespace tvs {

Record::Record(std::initializer_list<std::pair<QString, QString>> fields)
{
    for (const auto &field : fields)
        insert(field.first, field.second);
}

Record::Record(QList<std::pair<QString, QString>> distinctFields) : m_fields(std::move(distinctFields)) {}

bool Record::contains(const QString &field) const
{
    for (const auto &f : m_fields) {
        if (f.first == field)
            return true;
    }
    return false;
}

QString Record::value(const QString &field, const QString &fallback) const
{
    for (const auto &f : m_fields) {
        if (f.first == field)
            return f.second;
    }
    return fallback;
}

void Record::insert(const QString &field, const QString &value)
{
    for (auto &f : m_fields) {
        if (f.first == field) {
            f.second = value;
            return;
        }
    }
    m_fields.append({field, value});
}

bool Record::remove(const QString &field)
{
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).first == field) {
            m_fields.removeAt(i);
            return true;
        }
    }
    return false;
}

QStringList Record::keys() const
{
    QStringList keys;
    keys.reserve(m_fields.size());
    for (const auto &f : m_fields)
        keys.append(f.first);
    return keys;
}

} // namespace tvs
