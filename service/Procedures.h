#pragma once

#include "CallTextReader.h"
#include "DataSet.h"

#include <QDateTime>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>

namespace tvs {

class Database;
class Statement;

// The data set of a list answer, read from the database while the answer is sent: a few
// rows at a time, so a long list is never held whole. It holds its statement (and with it
// the connection's read of the database) until its last row or until it is destroyed.
class ListStream
{
public:
    enum class Step { More, Done, Failed };
    // `statement` has been run and stands on the first row; `picks` are the fields written,
    // with their columns.
    ListStream(std::unique_ptr<Statement> statement, QList<std::pair<QString, int>> picks);
    ~ListStream();

    // Appends about `size` characters of the data set's XML to `out` (at least one row, the
    // opening tag before the first and the closing tag after the last); Failed, with
    // error(), when the database fails on a row.
    Step next(QString &out, qsizetype size);
    QString error() const { return m_error; }

private:
    std::unique_ptr<Statement> m_statement;
    QList<std::pair<QString, int>> m_picks;
    bool m_started = false;
    QString m_error;
};

// What the service answers to one call: the result text (a data set, or the JSON text of
// the two JSON services), a list to be read as it is sent, or a fault. A fault has written
// nothing.
struct CallOutcome
{
    bool fault = false;
    QString faultString;
    QString resultText;
    std::shared_ptr<ListStream> list; // set instead of resultText
    static CallOutcome failure(const QString &why) { return {true, why, {}, {}}; }
    static CallOutcome result(const QString &text) { return {false, {}, text, {}}; }
};

// The stored procedures of the procedure service and the operations of the two JSON
// services, on the stand-in's database. Every statement is parameterised.
class Procedures
{
public:
    explicit Procedures(Database &db);

    // One procedure call text, as sent in `sQuery`.
    CallOutcome call(const QString &callText);
    // Operation `CarInfo_Search` / `CarProductInfo_Send` with its named parameters.
    CallOutcome carInfoSearch(const QMap<QString, QString> &params);
    CallOutcome carProductInfoSend(const QMap<QString, QString> &params);

    // The time the service stamps on what it writes ("yyyyMMddHHmmss", KST).
    static QString nowStamp();
    static QDate today(); // KST

private:
    using Handler = std::function<CallOutcome(const QStringList &args)>;
    struct Entry
    {
        int argCount;
        Handler handler;
    };
    QMap<QString, Entry> m_procedures;
    Database &m_db;

    void registerAll();
    void registerEnterCar();
    void registerAuctions();
    void registerJobs();
};

} // namespace tvs
