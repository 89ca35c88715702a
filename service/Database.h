#pragma once

#include <QDate>
#include <QSqlQuery>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <memory>
#include <unordered_map>

namespace tvs {

// The stand-in's SQLite database: schema, demo data, and small helpers for
// parameterised statements. A connection is used on the thread that opened it only.
class Database
{
public:
    explicit Database(QString connectionName);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens `path`; makes the schema and the demo data (relative to `today`) when the
    // file is new, or when `reset` is set; then adds the big shop's cars up to
    // `bigShopCars` (addBigShopCars).
    bool open(const QString &path, bool reset, const QDate &today, int bigShopCars, QString *error);
    // Another connection to a database that open() has made (a serving thread's).
    bool attach(const QString &path, QString *error);
    QSqlDatabase db() const;

    // Starts a transaction that holds the write lock from its first statement, so that
    // what it reads stays true until it commits, whatever other connections do; waits
    // (up to the busy timeout) while another connection holds the lock.
    bool beginWrite(QString *error);

    // Runs one statement with positional binds; false with `error` on failure.
    bool exec(const QString &sql, const QVariantList &binds = {}, QString *error = nullptr);
    QVariant value(const QString &sql, const QVariantList &binds = {});

private:
    friend class Statement;
    bool mendKeptData(QString *error);
    bool indexLists(QString *error);
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements;
    bool moveDatesTo(const QDate &today, QString *error);
    QString m_name;
};

// A statement of a connection, prepared and forward only, borrowed for one run. Each
// statement text is prepared once per connection and reused (preparing the car list's
// costs about a third of running it); while one is still running (an outer loop over its
// rows), a borrower gets one of its own. Finished when the borrower is done with it.
class Statement
{
public:
    Statement(Database &db, const QString &sql);
    ~Statement() { m_query->finish(); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    QSqlQuery &query() { return *m_query; }
    QString error() const { return m_error; } // empty when prepared

private:
    std::unique_ptr<QSqlQuery> m_own;
    QSqlQuery *m_query = nullptr;
    QString m_error;
};

// A value ready to bind: a null text becomes the empty text (never SQL NULL).
QVariant bindable(const QVariant &value);

// Made by DemoData.cpp: the schema and the demo rows.
bool createSchema(Database &db, QString *error);
bool createDemoData(Database &db, const QDate &today, QString *error);

// The big shop: cars added to the demo shop on top of its own, numbered from 1 with codes
// of their own ("B000001"), so that they never meet the codes the service gives new
// registrations. Car number n is the same car whatever the count (plate, model, state,
// two to five photos, options, inspection items and job orders by its state).
inline constexpr char kBigShopPrefix = 'B';
// How many the database holds (its meta key "bigShopCars").
int bigShopCars(Database &db);
// Adds the cars the database does not hold yet, up to `count`, in one transaction; a
// database that holds as many or more is left as it is (nothing is ever taken away).
bool addBigShopCars(Database &db, int count, const QDate &today, QString *error);

} // namespace tvs
