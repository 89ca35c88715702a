#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace tvs {

// One row of a procedure reply: field name -> text value, in the order the
// fields first appeared in the reply. Every value is text, numbers included.
// A field that is absent and a field whose text is empty are different.
// The names are one list beside the values: the rows of a reply, which name
// the same fields in the same order, share it.
class Record
{
public:
    Record() = default;
    Record(std::initializer_list<std::pair<QString, QString>> fields);
    // Takes the fields as they are; the names must be distinct, one value each
    // (the reply walk builds rows this way without a search per field).
    Record(QStringList distinctNames, QStringList values);

    bool contains(const QString &field) const;
    QString value(const QString &field, const QString &fallback = {}) const;
    // Overwrites an existing value in place (its position stays), else appends.
    void insert(const QString &field, const QString &value);
    bool remove(const QString &field);
    void clear()
    {
        m_names.clear();
        m_values.clear();
    }

    QStringList keys() const { return m_names; }
    QList<std::pair<QString, QString>> fields() const;
    qsizetype size() const { return m_names.size(); }
    bool isEmpty() const { return m_names.isEmpty(); }

    friend bool operator==(const Record &a, const Record &b)
    {
        return a.m_names == b.m_names && a.m_values == b.m_values;
    }

private:
    QStringList m_names;
    QStringList m_values;
};

using Records = QList<Record>;

} // namespace tvs
