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
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
}

QSqlDatabase Database::db() const { return QSqlDatabase::database(m_name, false); }

bool Database::open(const QString &path, bool reset, const QDate &today, QString *error)
{
    if (reset) {
        for (const char *suffix : {"", "-wal", "-shm", "-journal"})
            QFile::remove(path + QLatin1String(suffix));
    }
    const bool fresh = !QFile::exists(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *error = QStringLiteral("cannot open the database %1: %2").arg(path, db.lastError().text());
        return false;
    }
    if (!exec(QStringLiteral("PRAGMA journal_mode=WAL"), {}, error)
        || !exec(QStringLiteral("PRAGMA foreign_keys=ON"), {}, error))
        return false;
    if (!fresh) {
        if (value(QStringLiteral("SELECT value FROM meta WHERE key = 'schema'")).toString()
            == QLatin1String("1"))
            return true;
        *error = QStringLiteral("the database %1 was not made by this service; start with --reset").arg(path);
        return false;
    }
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
    return true;
}

bool Database::exec(const QString &sql, const QVariantList &binds, QString *error)
{
    QSqlQuery q(db());
    if (!q.prepare(sql)) {
        if (error)
            *error = q.lastError().text() + QStringLiteral(" in: ") + sql;
        return false;
    }
    for (const QVariant &v : binds)
        q.addBindValue(bindable(v));
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text() + QStringLiteral(" in: ") + sql;
        return false;
    }
    return true;
}

QVariant Database::value(const QString &sql, const QVariantList &binds)
{
    QSqlQuery q(db());
    if (!q.prepare(sql))
        return {};
    for (const QVariant &v : binds)
        q.addBindValue(bindable(v));
    if (!q.exec() || !q.next())
        return {};
    return q.value(0);
}

} // namespace tvs
