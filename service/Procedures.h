#pragma once

#include "CallTextReader.h"
#include "DataSet.h"

#include <QDateTime>
#include <QMap>
#include <QString>

#include <functional>

namespace tvs {

class Database;

// What the service answers to one call: the result text (a data set, or the JSON text of
// the two JSON services) or a fault. A fault has written nothing.
struct CallOutcome
{
    bool fault = false;
    QString faultString;
    QString resultText;
    static CallOutcome failure(const QString &why) { return {true, why, {}}; }
    static CallOutcome result(const QString &text) { return {false, {}, text}; }
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
