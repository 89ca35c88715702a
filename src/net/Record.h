#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace tvs {

// One row of a procedure reply: field name -> text value, in the order the
// fields first appeared in the reply. Every value is text, numbers included.
// A field that is absent and a field whose text is empty are different.
class Record
{
public:
    Record() = default;
    Record(std::initializer_list<std::pair<QString, QString>> fields);
    // Takes the fields as they are; their names must be distinct (the reply walk
    // builds rows this way without a search per field).
    explicit Record(QList<std::pair<QString, QString>> distinctFields);

    bool contains(const QString &field) const;
    QString value(const QString &field, const QString &fallback = {}) const;
    // Overwrites an existing value in place (its position stays), else appends.
    void insert(const QString &field, const QString &value);
    bool remove(const QString &field);
    void clear() { m_fields.clear(); }

    QStringList keys() const;
    const QList<std::pair<QString, QString>> &fields() const { return m_fields; }
    qsizetype size() const { return m_fields.size(); }
    bool isEmpty() const { return m_fields.isEmpty(); }

    friend bool operator==(const Record &a, const Record &b) { return a.m_fields == b.m_fields; }

private:
    QList<std::pair<QString, QString>> m_fields;
};

using Records = QList<Record>;

} // namespace tvs
