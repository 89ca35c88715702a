#include "Database.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

namespace tvs {

QVariant bindable(const QVariant &value)
{
    // A null QString would be bound as SQL NULL; an argument is never NULL, at most empty.
    if (value.typeId() == QMetaType::QString && value.toString().isNull())
        return QVariant(QStringLiteral(""));
    return value;
}

Database::Database(QString connectionName) : m_name(std::move(connectionName)) {}

Database::~Database()
{
    m_statements.clear();
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
}

QSqlDatabase Database::db() const { return QSqlDatabase::database(m_name, false); }

bool Database::attach(const QString &path, QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = QStringLiteral("cannot open the database %1: %2").arg(path, db.lastError().text());
        return false;
    }
    // WAL is a mode of the file (set by open()); foreign keys are checked per connection.
    return exec(QStringLiteral("PRAGMA foreign_keys=ON"), {}, error);
}

bool Database::beginWrite(QString *error)
{
    return exec(QStringLiteral("BEGIN IMMEDIATE"), {}, error);
}

bool Database::open(const QString &path, bool reset, const QDate &today, int bigShopCars, QString *error)
{
    if (reset) {
        for (const char *suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
    }
    const bool fresh = !QFile::exists(path);
    if (!attach(path, error) || !exec(QStringLiteral("PRAGMA journal_mode=WAL"), {}, error))
        return false;
    if (!fresh) {
        if (value(QStringLiteral("SELECT value FROM meta WHERE key = 'schema'")).toString()
            == QLatin1String("1"))
            return mendKeptData(error) && indexLists(error) && moveDatesTo(today, error) &&
                   addBigShopCars(*this, bigShopCars, today, error);
        *error = QStringLiteral("the database %1 was not made by this service; start with --reset").arg(path);
        return false;
    }
    QSqlDatabase db = this->db();
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    if (!createSchema(*this, error) || !createDemoData(*this, today, error)) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        return false;
    }
    return indexLists(error) && addBigShopCars(*this, bigShopCars, today, error);
}

// The orders of the two long lists (the shop's cars by registration, the work-order search
// by plate): their first rows are read, and sent, without sorting the whole shop first.
bool Database::indexLists(QString *error)
{
    return exec(QStringLiteral("CREATE INDEX IF NOT EXISTS cars_listed"
                               " ON cars (sStoreCode, sCarProductRegDate DESC, sCarProductCode)"),
                {}, error) &&
           exec(QStringLiteral("CREATE INDEX IF NOT EXISTS cars_plates ON cars (sStoreCode, sCarProductNum)"),
                {}, error);
}

// Databases kept from earlier versions of the demo data: the registry's plates for new
// registrations were written with a seven-digit first registration date ("2021315").
bool Database::mendKeptData(QString *error)
{
    return exec(QStringLiteral("UPDATE registry SET sCarProductFirstRegDate = substr(sCarProductFirstRegDate, 1, 4) || '0315'"
                               " WHERE sCarProductFirstRegDate GLOB '[0-9][0-9][0-9][0-9]315'"),
                {}, error);
}

// The demo's dates are meant relative to today (inspection dates old or due, auctions
// running): on a later day every stored date moves forward by the days that passed, so a
// database kept from an earlier run still shows what a fresh one shows.
bool Database::moveDatesTo(const QDate &today, QString *error)
{
    const QDate last = QDate::fromString(value(QStringLiteral("SELECT value FROM meta WHERE key = 'today'")).toString(),
                                         QStringLiteral("yyyyMMdd"));
    if (!last.isValid() || last >= today)
        return true;
    const QString shift = QStringLiteral("+%1 days").arg(last.daysTo(today));
    static const char *const columns[][2] = {
        {"cars", "sCarProductCheckDate"}, {"cars", "sCheckEndDate"}, {"cars", "sCarProductCheckStartDate"},
        {"cars", "sCarProductCheckEndDate"}, {"cars", "sCarProductRegDate"}, {"cars", "sCarProductUpDate"},
        {"cars", "sCarProductCheckRegDate"}, {"cars", "sSaleDate"}, {"users", "sUserRegDate"},
        {"users", "sUserUpDate"}, {"users", "sUserLastDate"}, {"auctions", "sAuctionStartDate"},
        {"auctions", "sAuctionEndDate"}, {"bids", "sRegDate"}, {"job_orders", "sJobListRegdate"},
        {"check_items", "sCarProductCheckDate"}, {"registry", "sCarProductCheckStartDate"},
        {"registry", "sCarProductCheckEndDate"}, {"status_history", "sRegDate"}, {"handoffs", "sRegDate"},
    };
    QSqlDatabase conn = db();
    if (!conn.transaction()) {
        *error = conn.lastError().text();
        return false;
    }
    for (const auto &c : columns) {
        const QString column = QString::fromLatin1(c[1]);
        const QString day = QStringLiteral("substr(%1, 1, 4) || '-' || substr(%1, 5, 2) || '-' || substr(%1, 7, 2)").arg(column);
        const QString time = QStringLiteral(" || ' ' || substr(%1, 9, 2) || ':' || substr(%1, 11, 2) || ':' || substr(%1, 13, 2)").arg(column);
        if (!exec(QStringLiteral("UPDATE %1 SET %2 = strftime('%Y%m%d', %3, ?) WHERE length(%2) = 8 AND %2 NOT GLOB '*[^0-9]*'")
                      .arg(QLatin1String(c[0]), column, day),
                  {shift}, error)
            || !exec(QStringLiteral("UPDATE %1 SET %2 = strftime('%Y%m%d%H%M%S', %3%4, ?) WHERE length(%2) = 14 AND %2 NOT GLOB '*[^0-9]*'")
                         .arg(QLatin1String(c[0]), column, day, time),
                     {shift}, error)) {
            conn.rollback();
            return false;
        }
    }
    if (!exec(QStringLiteral("INSERT OR REPLACE INTO meta VALUES ('today', ?)"), {today.toString(QStringLiteral("yyyyMMdd"))}, error)
        || !conn.commit()) {
        conn.rollback();
        return false;
    }
    return true;
}

Statement::Statement(Database &db, const QString &sql)
{
    std::unique_ptr<QSqlQuery> &cached = db.m_statements[sql];
    if (cached && !cached->isActive()) {
        m_query = cached.get();
        return;
    }
    auto fresh = std::make_unique<QSqlQuery>(db.db());
    fresh->setForwardOnly(true);
    if (!fresh->prepare(sql))
        m_error = fresh->lastError().text();
    if (!cached && m_error.isEmpty()) {
        cached = std::move(fresh);
        m_query = cached.get();
    } else {
        m_own = std::move(fresh);
        m_query = m_own.get();
    }
}

bool Database::exec(const QString &sql, const QVariantList &binds, QString *error)
{
    Statement statement(*this, sql);
    QString why = statement.error();
    if (why.isEmpty()) {
        for (const QVariant &v : binds)
            statement.query().addBindValue(bindable(v));
        if (!statement.query().exec())
            why = statement.query().lastError().text();
    }
    if (!why.isEmpty() && error)
        *error = why + QStringLiteral(" in: ") + sql;
    return why.isEmpty();
}

QVariant Database::value(const QString &sql, const QVariantList &binds)
{
    Statement statement(*this, sql);
    if (!statement.error().isEmpty())
        return {};
    QSqlQuery &q = statement.query();
    for (const QVariant &v : binds)
        q.addBindValue(bindable(v));
    return q.exec() && q.next() ? q.value(0) : QVariant();
}

} // namespace tvs
