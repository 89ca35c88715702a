#include "Procedures.h"

#include "Database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tvs {

namespace {

// Every field a car row of the dealer's lists carries, in reply order.
const QStringList kCarFields = {
    QStringLiteral("sCarProductCode"), QStringLiteral("sCarCode1"), QStringLiteral("sCarName1"),
    QStringLiteral("sCarCode2"), QStringLiteral("sCarName2"), QStringLiteral("sCarCode3"),
    QStringLiteral("sCarName3"), QStringLiteral("sCarCode4"), QStringLiteral("sCarName4"),
    QStringLiteral("sCarCode5"), QStringLiteral("sCarName5"), QStringLiteral("sCarCode6"),
    QStringLiteral("sCarName6"), QStringLiteral("sCarFormCode1"), QStringLiteral("sCarFormCode2"),
    QStringLiteral("sCarFormCode3"), QStringLiteral("sCarFormName1"), QStringLiteral("sCarFormName2"),
    QStringLiteral("sCarFormName3"), QStringLiteral("sCheckEndDate"), QStringLiteral("sCarProductNum"),
    QStringLiteral("sCarProductYearMonth"), QStringLiteral("iCarProductMoney"),
    QStringLiteral("sCarProductContent"), QStringLiteral("sCarProductStatus"),
    QStringLiteral("sCarProductMileage"), QStringLiteral("sCarStatus"), QStringLiteral("sCarImportType"),
    QStringLiteral("sCarTransmissionCode"), QStringLiteral("sCarTransmissionName"),
    QStringLiteral("sCarColorCode"), QStringLiteral("sCarColorName"), QStringLiteral("sCarFuelCode"),
    QStringLiteral("sCarProductRegDate"), QStringLiteral("sCarProductUpDate"),
    QStringLiteral("sCarFuelName"), QStringLiteral("sCarParkingImageFile"), QStringLiteral("sCarPhotoID"),
    QStringLiteral("sCarPhotoPath"), QStringLiteral("sCarIdNum"), QStringLiteral("sCarStartYear"),
    QStringLiteral("sCarEndYear"), QStringLiteral("sCarCC"), QStringLiteral("sCarGroup"),
    QStringLiteral("iFavoirteCount"), QStringLiteral("sCarProductCheckDate"),
    QStringLiteral("sCarProductFirstRegDate"), QStringLiteral("sCarProductSaleType"),
    QStringLiteral("iCarProductReadCount"), QStringLiteral("sCarDealerPrice"),
    QStringLiteral("sCarProductCheckStartDate"), QStringLiteral("sCarProductCheckEndDate"),
    QStringLiteral("sStoreCode"), QStringLiteral("sUserCode"),
};

// The work-order search reads the check status too.
const QStringList kJobCarFields = kCarFields + QStringList{
    QStringLiteral("sCarProductCheckStatus"), QStringLiteral("sCarProductCheckRegDate"),
    QStringLiteral("sMapCode"), QStringLiteral("sMapPointCode"), QStringLiteral("sMapName"),
    QStringLiteral("sMapPointName"),
};

// The 51 fields of an auction row, in reply order.
const QStringList kAuctionFields = {
    QStringLiteral("sCarProductCode"), QStringLiteral("sCarCode1"), QStringLiteral("sCarName1"),
    QStringLiteral("sCarCode2"), QStringLiteral("sCarName2"), QStringLiteral("sCarCode3"),
    QStringLiteral("sCarName3"), QStringLiteral("sCarCode4"), QStringLiteral("sCarName4"),
    QStringLiteral("sCarCode5"), QStringLiteral("sCarName5"), QStringLiteral("sCarCode6"),
    QStringLiteral("sUserCode"), QStringLiteral("sCarProductNum"), QStringLiteral("sCarProductYearMonth"),
    QStringLiteral("iCarProductMoney"), QStringLiteral("sCarProductContent"),
    QStringLiteral("sCarProductStatus"), QStringLiteral("sCarProductMileage"), QStringLiteral("sCarStatus"),
    QStringLiteral("sCarImportType"), QStringLiteral("sCarTransmissionCode"),
    QStringLiteral("sCarTransmissionName"), QStringLiteral("sCarColorCode"), QStringLiteral("sCarColorName"),
    QStringLiteral("sCarFuelCode"), QStringLiteral("sCarProductRegDate"), QStringLiteral("sCarProductUpDate"),
    QStringLiteral("sCarFuelName"), QStringLiteral("sCarParkingImageFile"), QStringLiteral("sCarPhotoID"),
    QStringLiteral("sCarPhotoPath"), QStringLiteral("sCarIdNum"), QStringLiteral("sCarStartYear"),
    QStringLiteral("sCarEndYear"), QStringLiteral("sCarCC"), QStringLiteral("sCarGroup"),
    QStringLiteral("sMapCode"), QStringLiteral("sMapPointCode"), QStringLiteral("sMapName"),
    QStringLiteral("sMapPointName"), QStringLiteral("sAuctionCode"), QStringLiteral("sAuctionStartDate"),
    QStringLiteral("sAuctionEndDate"), QStringLiteral("sAuctionStatus"), QStringLiteral("sAuctionType"),
    QStringLiteral("sMaxUserCode"), QStringLiteral("sAuctionUserCode"), QStringLiteral("sAuctionUserName"),
    QStringLiteral("sAuctionUserTelnum"), QStringLiteral("iAuctionMaxPrice"),
};

// A car the shop still holds: not sold ("9") and not taken back by its seller ("7").
const char kHeld[] = "sCarStatus NOT IN ('7', '9')";

// Statuses a car may be given from the app, and from which statuses: cancelling an entry
// ("7") from the cars still being taken in, a release request ("14" sale, "5" return of a
// consigned car, "7" purchase cancelled) from the cars ready to go out.
const QStringList kCancelFrom = {"2", "3", "16", "17", "18", "19", "20", "21"};
const QStringList kReleaseFrom = {"1", "4", "5", "11", "12"};

bool isDigits(const QString &text, int maxLength = 18)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}


CallOutcome dataSet(const DataSet &set) { return CallOutcome::result(dataSetXml(set)); }
CallOutcome no(const QString &message = {}) { return dataSet(DataSet::answer(QStringLiteral("NO"), message)); }
CallOutcome yes(const QString &message = {}) { return dataSet(DataSet::answer(QStringLiteral("YES"), message)); }

struct Query
{
    Statement statement;
    QSqlQuery &q;
    QString error;
    bool ok = false;
    Query(Database &db, const QString &sql, const QVariantList &binds)
        : statement(db, sql), q(statement.query()), error(statement.error())
    {
        if (!error.isEmpty())
            return;
        for (const QVariant &b : binds)
            q.addBindValue(bindable(b));
        ok = q.exec();
        if (!ok)
            error = q.lastError().text();
    }
};

// The columns of a run statement that a reply writes: `fields` picks and orders them (all
// columns when empty). Looked up once, not per row.
QList<std::pair<QString, int>> picksOf(const QSqlRecord &columns, const QStringList &fields)
{
    QList<std::pair<QString, int>> picks;
    if (fields.isEmpty()) {
        for (int i = 0; i < columns.count(); ++i)
            picks.append({columns.fieldName(i), i});
    } else {
        for (const QString &f : fields)
            if (const int i = columns.indexOf(f); i >= 0)
                picks.append({f, i});
    }
    return picks;
}

DataRow rowOf(const QSqlQuery &q, const QList<std::pair<QString, int>> &picks)
{
    DataRow row;
    row.reserve(picks.size());
    for (const auto &[name, index] : picks)
        row.append({name, q.value(index)});
    return row;
}

// Rows of a statement; `fields` as in picksOf. Returns false with a fault text when the
// statement fails.
bool collect(Database &db, const QString &sql, const QVariantList &binds, const QStringList &fields,
             QList<DataRow> *rows, QString *error)
{
    Query query(db, sql, binds);
    if (!query.ok) {
        *error = QStringLiteral("database error: ") + query.error;
        return false;
    }
    const auto picks = picksOf(query.q.record(), fields);
    while (query.q.next())
        rows->append(rowOf(query.q, picks));
    return true;
}

// A list reply: "NO" when there are no rows, else the rows, read as they are sent. A
// failure before the first row is a fault.
CallOutcome listOrNo(Database &db, const QString &sql, const QVariantList &binds,
                     const QStringList &fields = {})
{
    auto statement = std::make_unique<Statement>(db, sql);
    QSqlQuery &q = statement->query();
    QString error = statement->error();
    if (error.isEmpty()) {
        for (const QVariant &b : binds)
            q.addBindValue(bindable(b));
        if (q.exec() && q.next())
            return {false,
                    {},
                    {},
                    std::make_shared<ListStream>(std::move(statement), picksOf(q.record(), fields))};
        error = q.lastError().isValid() ? q.lastError().text() : QString();
    }
    return error.isEmpty() ? no() : CallOutcome::failure(QStringLiteral("database error: ") + error);
}

QString carColumns(const QStringList &fields, const QString &alias = QStringLiteral("c"))
{
    QStringList cols;
    for (const QString &f : fields)
        cols << alias + u'.' + f;
    return cols.join(QStringLiteral(", "));
}

QString storeOf(Database &db, const QString &userCode)
{
    return db.value(QStringLiteral("SELECT sStoreCode FROM users WHERE sUserCode = ? AND sUserStatus = '1'"),
                    {userCode})
        .toString();
}

// Runs `body` in a write transaction: everything it wrote is kept only when it succeeds,
// and no other connection writes between what it reads and what it writes.
template<typename Body>
CallOutcome inTransaction(Database &db, Body body)
{
    QSqlDatabase conn = db.db();
    QString error;
    if (!db.beginWrite(&error))
        return CallOutcome::failure(QStringLiteral("database error: ") + error);
    bool commit = false;
    CallOutcome outcome = body(&commit);
    if (commit && !outcome.fault) {
        if (!conn.commit()) {
            conn.rollback();
            return CallOutcome::failure(QStringLiteral("database error: ") + conn.lastError().text());
        }
    } else {
        conn.rollback();
    }
    return outcome;
}

} // namespace

ListStream::ListStream(std::unique_ptr<Statement> statement, QList<std::pair<QString, int>> picks)
    : m_statement(std::move(statement)), m_picks(std::move(picks))
{
}

ListStream::~ListStream() = default;

ListStream::Step ListStream::next(QString &out, qsizetype size)
{
    if (!m_statement)
        return Step::Done;
    QSqlQuery &q = m_statement->query();
    const qsizetype until = out.size() + size;
    if (!std::exchange(m_started, true)) {
        out += QLatin1String("<NewDataSet>\n");
        appendRowXml(out, rowOf(q, m_picks)); // the first row, on which it stands
    }
    while (out.size() < until) {
        if (!q.next()) {
            if (q.lastError().isValid()) {
                m_error = QStringLiteral("database error: ") + q.lastError().text();
                return Step::Failed;
            }
            out += QLatin1String("</NewDataSet>");
            m_statement.reset(); // the read ends with the last row, not with the answer
            return Step::Done;
        }
        appendRowXml(out, rowOf(q, m_picks));
    }
    return Step::More;
}

QDate Procedures::today()
{
    return QDateTime::currentDateTimeUtc().addSecs(9 * 3600).date();
}

QString Procedures::nowStamp()
{
    return QDateTime::currentDateTimeUtc().addSecs(9 * 3600).toString(QStringLiteral("yyyyMMddHHmmss"));
}

Procedures::Procedures(Database &db) : m_db(db) { registerAll(); }

CallOutcome Procedures::call(const QString &callText)
{
    const CallText parsed = readCallText(callText);
    if (!parsed.ok)
        return CallOutcome::failure(QStringLiteral("unreadable call text: ") + parsed.error);
    const auto it = m_procedures.constFind(parsed.procedure);
    if (it == m_procedures.constEnd())
        return CallOutcome::failure(QStringLiteral("unknown procedure: ") + parsed.procedure);
    if (parsed.args.size() != it->argCount)
        return CallOutcome::failure(QStringLiteral("%1 takes %2 arguments, not %3")
                                        .arg(parsed.procedure)
                                        .arg(it->argCount)
                                        .arg(parsed.args.size()));
    return it->handler(parsed.args);
}

void Procedures::registerAll()
{
    Database &db = m_db;

    // Sign-in. The digest is compared with the stored one; the reply carries the previous
    // sign-in time in sUserLastDate and this one in sUserLastDate1. The last argument
    // lists the user levels that may use the client.
    auto login = [&db](const QString &whereColumn, const QString &key, const QString &levels) -> CallOutcome {
        QList<int> allowed;
        for (const QString &part : levels.split(u',')) {
            bool ok = false;
            const int level = part.trimmed().toInt(&ok);
            if (!ok)
                return CallOutcome::failure(QStringLiteral("unreadable list of user levels: ") + levels);
            allowed << level;
        }
        return inTransaction(db, [&](bool *commit) -> CallOutcome {
            const QString now = nowStamp();
            DataSet set;
            QString error;
            if (!collect(db,
                         QStringLiteral(
                             "SELECT u.sUserCode, u.sUserId, u.sStoreCode, s.sStoreName, u.sUserName,"
                             " u.sUserTelnum, u.sUserEmail, u.iUserLevel, u.sUserRegDate, u.sUserUpDate,"
                             " u.sUserLastDate, u.sUserStatus, u.sUserMemo, u.sUserPw, ? AS sUserLastDate1,"
                             " s.sStoreAddress, s.sStoreBusinessNum, s.sStoreUseName, u.sUserPicturePath"
                             " FROM users u JOIN shops s ON s.sStoreCode = u.sStoreCode"
                             " WHERE u.%1 = ? AND u.sUserStatus = '1'")
                             .arg(whereColumn),
                         {now, key}, {}, &set.rows, &error))
                return CallOutcome::failure(error);
            if (set.rows.isEmpty())
                return no();
            const DataRow &row = set.rows.first();
            int level = -1;
            for (const auto &[name, value] : row)
                if (name == QLatin1String("iUserLevel"))
                    level = value.toInt();
            if (!allowed.contains(level))
                return no();
            if (!db.exec(QStringLiteral("UPDATE users SET sUserLastDate = ? WHERE %1 = ?").arg(whereColumn),
                         {now, key}, &error))
                return CallOutcome::failure(QStringLiteral("database error: ") + error);
            *commit = true;
            return dataSet(set);
        });
    };
    // The password arrives as its MD5 digest, 32 lower-case hexadecimal digits.
    m_procedures.insert(QStringLiteral("ps_Login1"), {4, [login, &db](const QStringList &a) -> CallOutcome {
        static const QRegularExpression digest(QStringLiteral("^[0-9a-f]{32}$"));
        if (a[0].isEmpty() || !digest.match(a[1]).hasMatch())
            return no();
        const QString stored = db.value(QStringLiteral("SELECT sUserPw FROM users WHERE sUserId = ?"), {a[0]}).toString();
        if (stored.isEmpty() || stored != a[1])
            return no();
        return login(QStringLiteral("sUserId"), a[0], a[3]);
    }});
    m_procedures.insert(QStringLiteral("ps_LoginQR1"), {3, [login](const QStringList &a) -> CallOutcome {
        if (!isDigits(a[0], 32))
            return no();
        return login(QStringLiteral("sQrToken"), a[0], a[2]);
    }});

    // The dashboard's four counts: cars held, cars sold, auctions in progress, auctions
    // the dealer has won.
    m_procedures.insert(QStringLiteral("ps_UserCarCount"), {1, [&db](const QStringList &a) -> CallOutcome {
        const QString store = storeOf(db, a[0]);
        if (store.isEmpty())
            return no();
        DataRow row;
        row.append({QStringLiteral("sSellWait"),
                    db.value(QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode = ? AND %1").arg(QLatin1String(kHeld)), {store})});
        row.append({QStringLiteral("sSellComplete"),
                    db.value(QStringLiteral("SELECT COUNT(*) FROM cars WHERE sStoreCode = ? AND sCarStatus = '9'"), {store})});
        row.append({QStringLiteral("sAuction"),
                    db.value(QStringLiteral("SELECT COUNT(*) FROM auctions WHERE sAuctionStatus = '1'"))});
        row.append({QStringLiteral("AuctionComplete"),
                    db.value(QStringLiteral(
                                 "SELECT COUNT(*) FROM auctions a WHERE a.sAuctionStatus = '2' AND ? ="
                                 " (SELECT b.sUserCode FROM bids b WHERE b.sAuctionCode = a.sAuctionCode"
                                 "  ORDER BY b.iBidPrice DESC, b.id LIMIT 1)"),
                             {a[0]})});
        DataSet set;
        set.rows << row;
        return dataSet(set);
    }});

    // The shop's cars: filter 0 every car held, otherwise the cars in that state.
    m_procedures.insert(QStringLiteral("ps_GetUserProductCar_Info2"), {2, [&db](const QStringList &a) -> CallOutcome {
        if (!isDigits(a[1], 3))
            return CallOutcome::failure(QStringLiteral("the state filter must be a number: ") + a[1]);
        const QString store = storeOf(db, a[0]);
        if (store.isEmpty())
            return no();
        const bool all = a[1].toInt() == 0;
        const QString sql = QStringLiteral("SELECT %1 FROM car_view c WHERE c.sStoreCode = ? AND %2"
                                           " ORDER BY c.sCarProductRegDate DESC, c.sCarProductCode")
                                .arg(carColumns(kCarFields),
                                     all ? QString::fromLatin1(kHeld) : QStringLiteral("c.sCarStatus = ?"));
        QVariantList binds{store};
        if (!all)
            binds << QString::number(a[1].toInt());
        return listOrNo(db, sql, binds, kCarFields);
    }});

    m_procedures.insert(QStringLiteral("ps_SetProductCar_Status"), {4, [&db](const QStringList &a) -> CallOutcome {
        const QString &car = a[0], &to = a[1], &user = a[2];
        const QString store = storeOf(db, user);
        if (store.isEmpty())
            return no(QStringLiteral("등록되지 않은 사용자입니다."));
        return inTransaction(db, [&](bool *commit) -> CallOutcome {
            const QVariant from = db.value(
                QStringLiteral("SELECT sCarStatus FROM cars WHERE sCarProductCode = ? AND sStoreCode = ?"), {car, store});
            if (!from.isValid())
                return no(QStringLiteral("차량 정보를 찾을 수 없습니다."));
            const QString f = from.toString();
            const bool allowed = (to == QLatin1String("7") && (kCancelFrom.contains(f) || kReleaseFrom.contains(f)))
                || ((to == QLatin1String("14") || to == QLatin1String("5")) && kReleaseFrom.contains(f));
            if (!allowed)
                return no(QStringLiteral("현재 차량상태에서는 변경할 수 없습니다."));
            QString error;
            const QString now = nowStamp();
            if (!db.exec(QStringLiteral("UPDATE cars SET sCarStatus = ?, sCarProductUpDate = ? WHERE sCarProductCode = ?"),
                         {to, now, car}, &error)
                || !db.exec(QStringLiteral("INSERT INTO status_history (sCarProductCode, sFrom, sTo, sUserCode,"
                                           " sClient, sRegDate) VALUES (?,?,?,?,?,?)"),
                            {car, f, to, user, a[3], now}, &error))
                return CallOutcome::failure(QStringLiteral("database error: ") + error);
            *commit = true;
            return yes();
        });
    }});

    m_procedures.insert(QStringLiteral("ps_GetCarPhotoList"), {1, [&db](const QStringList &a) -> CallOutcome {
        return listOrNo(db, QStringLiteral("SELECT sCarPhotoID, sCarProductCode, sCarPhotoPath, iSort FROM car_photos"
                                           " WHERE sCarProductCode = ? ORDER BY iSort"), {a[0]});
    }});

    // In the order they were registered, which an edit that keeps them sends again.
    m_procedures.insert(QStringLiteral("ps_GetProductCarOption"), {1, [&db](const QStringList &a) -> CallOutcome {
        return listOrNo(db, QStringLiteral(
                                "SELECT co.sCarProductCode, o.sCarOptionCode, g.sCarOptionName,"
                                " o.sCarOptionDetailCode, o.sCarOptionDetailName FROM car_options co"
                                " JOIN options o ON o.sCarOptionDetailCode = co.sCarOptionDetailCode"
                                " JOIN option_groups g ON g.sCarOptionCode = o.sCarOptionCode"
                                " WHERE co.sCarProductCode = ? ORDER BY co.iSort"), {a[0]});
    }});

    m_procedures.insert(QStringLiteral("ps_GetCarOption"), {0, [&db](const QStringList &) -> CallOutcome {
        return listOrNo(db, QStringLiteral(
                                "SELECT o.sCarOptionCode, g.sCarOptionName, o.sCarOptionDetailCode,"
                                " o.sCarOptionDetailName FROM options o"
                                " JOIN option_groups g ON g.sCarOptionCode = o.sCarOptionCode"
                                " ORDER BY g.iSort, o.iSort"), {});
    }});

    // Makers of the import types named by the argument's digits ("12": domestic and
    // imported cars, "3": lorries, special vehicles and buses).
    m_procedures.insert(QStringLiteral("ps_CarLevel1Info"), {1, [&db](const QStringList &a) -> CallOutcome {
        if (!isDigits(a[0], 9))
            return no();
        return listOrNo(db, QStringLiteral("SELECT sCarCode, sCarName, sCarGroup, sCarImportType FROM models"
                                           " WHERE iLevel = 1 AND instr(?, sCarImportType) > 0 ORDER BY iSort"),
                        {a[0]});
    }});
    m_procedures.insert(QStringLiteral("ps_CarLevel2Info"), {2, [&db](const QStringList &a) -> CallOutcome {
        if (a[1] != QLatin1String("2") && a[1] != QLatin1String("3") && a[1] != QLatin1String("4"))
            return CallOutcome::failure(QStringLiteral("ps_CarLevel2Info: the level must be 2, 3 or 4, not ") + a[1]);
        return listOrNo(db, QStringLiteral("SELECT sCarCode, sCarUpCode, sCarName, sCarGroup, sCarStartYear,"
                                           " sCarEndYear FROM models WHERE sCarUpCode = ? AND iLevel = ?"
                                           " ORDER BY iSort"),
                        {a[0], a[1].toInt()});
    }});
    m_procedures.insert(QStringLiteral("ps_CarLevel5Info"), {1, [&db](const QStringList &a) -> CallOutcome {
        return listOrNo(db, QStringLiteral("SELECT sCarCode AS sCarCode5, sCarUpCode AS sCarCode4, sCarName,"
                                           " sCarNameSub, sCarGroup FROM models WHERE sCarUpCode = ? AND iLevel = 5"
                                           " ORDER BY iSort"),
                        {a[0]});
    }});
    m_procedures.insert(QStringLiteral("ps_TruckType1"), {0, [&db](const QStringList &) -> CallOutcome {
        return listOrNo(db, QStringLiteral("SELECT sCarFormCode, sCarFormName FROM truck_forms WHERE iLevel = 1"
                                           " ORDER BY iSort"), {});
    }});
    m_procedures.insert(QStringLiteral("ps_TruckType2"), {2, [&db](const QStringList &a) -> CallOutcome {
        if (a[0] != QLatin1String("2") && a[0] != QLatin1String("3"))
            return CallOutcome::failure(QStringLiteral("ps_TruckType2: the level must be 2 or 3, not ") + a[0]);
        return listOrNo(db, QStringLiteral("SELECT sCarFormCode, sCarFormUpCode, sCarFormName FROM truck_forms"
                                           " WHERE iLevel = ? AND sCarFormUpCode = ? ORDER BY iSort"),
                        {a[0].toInt(), a[1]});
    }});

    registerEnterCar();
    registerAuctions();
    registerJobs();
}

namespace {

QVariant codeOrNull(const QString &value)
{
    const QString v = value.trimmed();
    return (v.isEmpty() || v == QLatin1String("no")) ? QVariant() : QVariant(v);
}

// A car's stored columns and its options in their order, apart from its last-change
// stamp (returned in `stamp`): what an update has to change for the stamp to move.
QVariantList carState(Database &db, const QString &code, QVariant *stamp)
{
    QVariantList state;
    Query row(db, QStringLiteral("SELECT * FROM cars WHERE sCarProductCode = ?"), {code});
    if (!row.ok || !row.q.next())
        return state;
    const QSqlRecord columns = row.q.record();
    for (int i = 0; i < columns.count(); ++i) {
        if (columns.fieldName(i) == QLatin1String("sCarProductUpDate"))
            *stamp = row.q.value(i);
        else
            state << row.q.value(i);
    }
    Query options(db,
                  QStringLiteral("SELECT sCarOptionDetailCode FROM car_options WHERE sCarProductCode = ?"
                                 " ORDER BY iSort"),
                  {code});
    while (options.ok && options.q.next())
        state << options.q.value(0);
    return state;
}

QString jsonText(const QJsonObject &object)
{
    // "<", ">" and "&" are written as JSON escapes, so that the text is the same whether
    // or not the reader undoes the XML escaping of the envelope.
    QString text = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    text.replace(u'&', QLatin1String("\\u0026"));
    text.replace(u'<', QLatin1String("\\u003c"));
    text.replace(u'>', QLatin1String("\\u003e"));
    return text;
}

CallOutcome jsonMessage(const QString &message)
{
    return CallOutcome::result(jsonText(QJsonObject{{QStringLiteral("message"), message}}));
}

const QString kSuccess = QStringLiteral("성공");

} // namespace

// Registration of a new car (empty product code) or the update of one of the shop's cars.
// Argument order: product code, codes 1-6, form codes 1-3, colour, fuel, transmission,
// user code, plate, model year, price (won), description, 1, mileage, state, group
// ("1" domestic, "2" imported, "3" truck), 1, chassis number, options JSON, displacement,
// check start, check end, sale type, first registration, dealer price.
void Procedures::registerEnterCar()
{
    Database &db = m_db;
    m_procedures.insert(QStringLiteral("ps_SetEnterCar3"), {31, [&db](const QStringList &a) -> CallOutcome {
        const QString user = a[13];
        const QString store = storeOf(db, user);
        if (store.isEmpty())
            return no(QStringLiteral("등록되지 않은 사용자입니다."));
        const QVariant c1 = codeOrNull(a[1]), c2 = codeOrNull(a[2]);
        if (!c1.isValid() || !db.value(QStringLiteral("SELECT 1 FROM models WHERE sCarCode = ? AND iLevel = 1"), {c1}).isValid())
            return no(QStringLiteral("제조사 코드를 확인해주세요."));
        if (!c2.isValid()
            || !db.value(QStringLiteral("SELECT 1 FROM models WHERE sCarCode = ? AND iLevel = 2 AND sCarUpCode = ?"), {c2, c1}).isValid())
            return no(QStringLiteral("모델 코드를 확인해주세요."));
        for (int i = 3; i <= 6; ++i) {
            const QVariant c = codeOrNull(a[i]);
            if (c.isValid() && !db.value(QStringLiteral("SELECT 1 FROM models WHERE sCarCode = ?"), {c}).isValid())
                return no(QStringLiteral("세부 모델 코드를 확인해주세요."));
        }
        for (int i = 7; i <= 9; ++i) {
            const QVariant c = codeOrNull(a[i]);
            if (c.isValid() && !db.value(QStringLiteral("SELECT 1 FROM truck_forms WHERE sCarFormCode = ?"), {c}).isValid())
                return no(QStringLiteral("형식 코드를 확인해주세요."));
        }
        const QVariant color = codeOrNull(a[10]), fuel = codeOrNull(a[11]), gear = codeOrNull(a[12]);
        if (color.isValid() && !db.value(QStringLiteral("SELECT 1 FROM colors WHERE sCarColorCode = ?"), {color}).isValid())
            return no(QStringLiteral("색상 코드를 확인해주세요."));
        if (fuel.isValid() && !db.value(QStringLiteral("SELECT 1 FROM fuels WHERE sCarFuelCode = ?"), {fuel}).isValid())
            return no(QStringLiteral("연료 코드를 확인해주세요."));
        if (gear.isValid() && !db.value(QStringLiteral("SELECT 1 FROM transmissions WHERE sCarTransmissionCode = ?"), {gear}).isValid())
            return no(QStringLiteral("변속기 코드를 확인해주세요."));
        const QString plate = a[14].trimmed();
        if (plate.size() < 2)
            return no(QStringLiteral("차량번호를 입력해주세요."));
        if (!isDigits(a[16], 13))
            return no(QStringLiteral("판매가격은 숫자로 입력해주세요."));
        if (!isDigits(a[19], 9))
            return no(QStringLiteral("주행거리는 숫자로 입력해주세요."));
        if (!isDigits(a[20], 2))
            return no(QStringLiteral("차량상태를 확인해주세요."));
        QString group;
        if (a[21] == QLatin1String("1"))
            group = QStringLiteral("국산차");
        else if (a[21] == QLatin1String("2"))
            group = QStringLiteral("수입차");
        else if (a[21] == QLatin1String("3"))
            group = QStringLiteral("화물특장버스");
        else
            group = db.value(QStringLiteral("SELECT sCarGroup FROM models WHERE sCarCode = ?"), {c1}).toString();
        const QString importType = db.value(QStringLiteral("SELECT sCarImportType FROM models WHERE sCarCode = ?"), {c1}).toString();

        // The options: {"Option":[{"sCarOptionCode":..,"sCarOptionDetailCode":..,..}, ...]}.
        QStringList optionCodes;
        if (!a[24].trimmed().isEmpty()) {
            QJsonParseError parseError;
            const QJsonDocument doc = QJsonDocument::fromJson(a[24].toUtf8(), &parseError);
            if (!doc.isObject() || !doc.object().value(QStringLiteral("Option")).isArray())
                return no(QStringLiteral("옵션 정보를 읽을 수 없습니다."));
            for (const QJsonValue &v : doc.object().value(QStringLiteral("Option")).toArray()) {
                const QString detail = v.toObject().value(QStringLiteral("sCarOptionDetailCode")).toString();
                if (!db.value(QStringLiteral("SELECT 1 FROM options WHERE sCarOptionDetailCode = ?"), {detail}).isValid())
                    return no(QStringLiteral("알 수 없는 옵션 코드입니다: ") + detail);
                if (!optionCodes.contains(detail))
                    optionCodes << detail;
            }
        }

        return inTransaction(db, [&](bool *commit) -> CallOutcome {
            QString code = a[0].trimmed();
            const QString now = nowStamp();
            QString error;
            const QVariantList values{
                c1, c2, codeOrNull(a[3]), codeOrNull(a[4]), codeOrNull(a[5]), codeOrNull(a[6]),
                codeOrNull(a[7]), codeOrNull(a[8]), codeOrNull(a[9]), color, fuel, gear, plate,
                a[15], a[16].toLongLong(), a[17], a[18], a[19], a[20], importType, a[23], a[25], group,
                codeOrNull(a[26]), codeOrNull(a[27]), codeOrNull(a[28]), codeOrNull(a[29]), codeOrNull(a[30]),
                a[22], now};
            const QString columns = QStringLiteral(
                "sCarCode1 = ?, sCarCode2 = ?, sCarCode3 = ?, sCarCode4 = ?, sCarCode5 = ?, sCarCode6 = ?,"
                " sCarFormCode1 = ?, sCarFormCode2 = ?, sCarFormCode3 = ?, sCarColorCode = ?, sCarFuelCode = ?,"
                " sCarTransmissionCode = ?, sCarProductNum = ?, sCarProductYearMonth = ?, iCarProductMoney = ?,"
                " sCarProductContent = ?, sCarProductStatus = ?, sCarProductMileage = ?, sCarStatus = ?,"
                " sCarImportType = ?, sCarIdNum = ?, sCarCC = ?, sCarGroup = ?, sCarProductCheckStartDate = ?,"
                " sCarProductCheckEndDate = ?, sCarProductSaleType = ?, sCarProductFirstRegDate = ?,"
                " sCarDealerPrice = ?, sCarProductDisplay = ?, sCarProductUpDate = ?");
            if (code.isEmpty()) {
                if (db.value(QStringLiteral("SELECT 1 FROM cars WHERE sStoreCode = ? AND"
                                            " replace(sCarProductNum, ' ', '') = replace(?, ' ', '') AND %1")
                                 .arg(QLatin1String(kHeld)),
                             {store, plate})
                        .isValid())
                    return no(QStringLiteral("이미 등록된 차량번호입니다."));
                const int last = db.value(QStringLiteral("SELECT MAX(CAST(substr(sCarProductCode, 2) AS INTEGER)) FROM cars"
                                                         " WHERE sCarProductCode GLOB 'C[0-9]*'")).toInt();
                code = QStringLiteral("C%1").arg(last + 1, 6, 10, QLatin1Char('0'));
                if (!db.exec(QStringLiteral("INSERT INTO cars (sCarProductCode, sStoreCode, sUserCode, sCarStatus,"
                                            " sCarProductRegDate, sCarProductCheckStatus) VALUES (?, ?, ?, '3', ?, '2')"),
                             {code, store, user, now}, &error))
                    return CallOutcome::failure(QStringLiteral("database error: ") + error);
            } else if (!db.value(QStringLiteral("SELECT 1 FROM cars WHERE sCarProductCode = ? AND sStoreCode = ?"),
                                 {code, store}).isValid()) {
                return no(QStringLiteral("차량 정보를 찾을 수 없습니다."));
            }
            QVariant stamp;
            const QVariantList before = carState(db, code, &stamp);
            if (!db.exec(QStringLiteral("UPDATE cars SET %1 WHERE sCarProductCode = ?").arg(columns),
                         values + QVariantList{code}, &error)
                || !db.exec(QStringLiteral("DELETE FROM car_options WHERE sCarProductCode = ?"), {code}, &error))
                return CallOutcome::failure(QStringLiteral("database error: ") + error);
            int sort = 0;
            for (const QString &detail : optionCodes)
                if (!db.exec(QStringLiteral("INSERT INTO car_options VALUES (?, ?, ?)"), {code, detail, sort++}, &error))
                    return CallOutcome::failure(QStringLiteral("database error: ") + error);
            // Writing what is stored changes nothing, the stamp of the last change included.
            QVariant written;
            if (carState(db, code, &written) == before &&
                !db.exec(QStringLiteral("UPDATE cars SET sCarProductUpDate = ? WHERE sCarProductCode = ?"),
                         {stamp, code}, &error))
                return CallOutcome::failure(QStringLiteral("database error: ") + error);
            *commit = true;
            DataSet set;
            set.rows << DataRow{{QStringLiteral("sCarProductCode"), code}};
            return dataSet(set);
        });
    }});
}

void Procedures::registerAuctions()
{
    Database &db = m_db;
    m_procedures.insert(QStringLiteral("ps_GetAuctionCar_info1"), {0, [&db](const QStringList &) -> CallOutcome {
        const QMap<QString, QString> special = {
            {QStringLiteral("sUserCode"), QStringLiteral("a.sUserCode")},
            {QStringLiteral("sCarCode6"), QStringLiteral("COALESCE(c.sCarCode6, '')")},
            {QStringLiteral("sAuctionCode"), QStringLiteral("a.sAuctionCode")},
            {QStringLiteral("sAuctionStartDate"), QStringLiteral("a.sAuctionStartDate")},
            {QStringLiteral("sAuctionEndDate"), QStringLiteral("a.sAuctionEndDate")},
            {QStringLiteral("sAuctionStatus"), QStringLiteral("a.sAuctionStatus")},
            {QStringLiteral("sAuctionType"), QStringLiteral("a.sAuctionType")},
            // Every row carries the highest bidder; empty while nobody has bid.
            {QStringLiteral("sMaxUserCode"), QStringLiteral("COALESCE(top.sUserCode, '')")},
            {QStringLiteral("sAuctionUserCode"), QStringLiteral("a.sUserCode")},
            {QStringLiteral("sAuctionUserName"), QStringLiteral("s.sStoreName")},
            {QStringLiteral("sAuctionUserTelnum"), QStringLiteral("s.sStoreTelnum")},
            // The amount a bid must exceed: the highest bid, or the starting price.
            {QStringLiteral("iAuctionMaxPrice"), QStringLiteral("COALESCE(top.iBidPrice, a.iStartPrice)")},
        };
        QStringList cols;
        for (const QString &f : kAuctionFields)
            cols << special.value(f, QStringLiteral("c.") + f) + QStringLiteral(" AS ") + f;
        return listOrNo(db,
                        QStringLiteral("SELECT %1 FROM auctions a"
                                       " JOIN car_view c ON c.sCarProductCode = a.sCarProductCode"
                                       " JOIN users u ON u.sUserCode = a.sUserCode"
                                       " JOIN shops s ON s.sStoreCode = u.sStoreCode"
                                       " LEFT JOIN bids top ON top.id = (SELECT b.id FROM bids b"
                                       "   WHERE b.sAuctionCode = a.sAuctionCode ORDER BY b.iBidPrice DESC, b.id LIMIT 1)"
                                       " ORDER BY a.sAuctionStatus, a.sAuctionEndDate, a.sAuctionCode")
                            .arg(cols.join(QStringLiteral(", "))),
                        {}, kAuctionFields);
    }});

    // A bid: accepted only on an auction in progress whose end time has not passed, from a
    // dealer other than the seller, with an amount of ASCII digits above the amount shown
    // on the board. The checks and the insert are one statement, which takes the write lock
    // before it reads the highest bid: of two bids that arrive together, on any number of
    // connections, the later one is measured against the earlier one.
    m_procedures.insert(QStringLiteral("ps_SetAuctionCar"), {3, [&db](const QStringList &a) -> CallOutcome {
        const QString &auction = a[0], &user = a[1], &amount = a[2];
        if (storeOf(db, user).isEmpty())
            return no(QStringLiteral("등록되지 않은 사용자입니다."));
        if (!isDigits(amount, 12))
            return no(QStringLiteral("입찰금액은 숫자로 입력해주세요."));
        const QString now = nowStamp();
        Query insert(db, QStringLiteral("INSERT INTO bids (sAuctionCode, sUserCode, iBidPrice, sRegDate)"
                                        " SELECT a.sAuctionCode, ?, ?, ? FROM auctions a"
                                        " WHERE a.sAuctionCode = ? AND a.sAuctionStatus = '1'"
                                        " AND a.sAuctionEndDate >= ? AND a.sUserCode <> ?"
                                        " AND ? > COALESCE((SELECT MAX(b.iBidPrice) FROM bids b"
                                        "  WHERE b.sAuctionCode = a.sAuctionCode), a.iStartPrice)"),
                     {user, amount.toLongLong(), now, auction, now, user, amount.toLongLong()});
        if (!insert.ok)
            return CallOutcome::failure(QStringLiteral("database error: ") + insert.error);
        if (insert.q.numRowsAffected() == 1)
            return yes();
        // Refused: say why, from the auction as it stands now.
        Query why(db, QStringLiteral("SELECT sAuctionStatus, sAuctionEndDate, sUserCode FROM auctions"
                                     " WHERE sAuctionCode = ?"),
                  {auction});
        if (!why.ok)
            return CallOutcome::failure(QStringLiteral("database error: ") + why.error);
        if (!why.q.next())
            return no(QStringLiteral("경매 정보를 찾을 수 없습니다."));
        if (why.q.value(0).toString() != QLatin1String("1"))
            return no(QStringLiteral("진행 중인 경매가 아닙니다."));
        if (why.q.value(1).toString() < now)
            return no(QStringLiteral("경매 시간이 종료되었습니다."));
        if (why.q.value(2).toString() == user)
            return no(QStringLiteral("본인이 출품한 차량에는 입찰할 수 없습니다."));
        return no(QStringLiteral("현재 최고 입찰가보다 높은 금액을 입력해주세요."));
    }});
}

void Procedures::registerJobs()
{
    Database &db = m_db;
    // The shop's cars whose plate holds the search text (blanks ignored); every car held
    // when the text is empty.
    m_procedures.insert(QStringLiteral("ps_GetJobList1"), {2, [&db](const QStringList &a) -> CallOutcome {
        const QString store = storeOf(db, a[0]);
        if (store.isEmpty())
            return no();
        return listOrNo(db,
                        QStringLiteral("SELECT %1 FROM car_view c WHERE c.sStoreCode = ? AND c.%2"
                                       " AND instr(replace(c.sCarProductNum, ' ', ''), replace(?, ' ', '')) > 0"
                                       " ORDER BY c.sCarProductNum")
                            .arg(carColumns(kJobCarFields), QLatin1String(kHeld)),
                        {store, a[1]}, kJobCarFields);
    }});
    m_procedures.insert(QStringLiteral("ps_GetMainJobList"), {2, [&db](const QStringList &a) -> CallOutcome {
        return listOrNo(db,
                        QStringLiteral("SELECT j.sJobListCode, j.sCarProductCode, c.sCarProductNum, j.iJobPrice,"
                                       " j.sJobListRegdate, j.sJobOrderListStatus, j.sRepairStoreCode AS sStoreCode,"
                                       " r.sStoreName, j.sJobContent FROM job_orders j"
                                       " JOIN cars c ON c.sCarProductCode = j.sCarProductCode"
                                       " LEFT JOIN repair_shops r ON r.sStoreCode = j.sRepairStoreCode"
                                       " WHERE j.sUserCode = ? AND j.sCarProductCode = ? ORDER BY j.sJobListRegdate"),
                        {a[0], a[1]});
    }});
    // Inspection items of the car; the job order's car when the car code is empty.
    m_procedures.insert(QStringLiteral("ps_GetCheckRepairList"), {2, [&db](const QStringList &a) -> CallOutcome {
        QString car = a[0].trimmed();
        if (car.isEmpty() && !a[1].trimmed().isEmpty())
            car = db.value(QStringLiteral("SELECT sCarProductCode FROM job_orders WHERE sJobListCode = ?"), {a[1].trimmed()}).toString();
        if (car.isEmpty())
            return no();
        return listOrNo(db,
                        QStringLiteral("SELECT sCarProductCheckDate, sCarProductCheckItemCode, sCarProductCheckItemUpCode,"
                                       " sCarProductCheckItemName, sCarProductCheckItemSubCode, sCarProductCheckItemContent,"
                                       " sCarProductCode FROM check_items WHERE sCarProductCode = ?"
                                       " ORDER BY sCarProductCheckItemCode"),
                        {car});
    }});
    m_procedures.insert(QStringLiteral("ps_GetStoreList"), {0, [&db](const QStringList &) -> CallOutcome {
        return listOrNo(db, QStringLiteral("SELECT sStoreCode, sStoreName, sStoreTelnum, sStoreAddress FROM repair_shops"
                                           " ORDER BY sStoreCode"), {});
    }});
}

// The car-number lookup: the registry's record of the plate; when the dealer's shop holds
// the car, also its mileage, price (in units of ten thousand won, the unit the wizard's
// price field takes) and state.
CallOutcome Procedures::carInfoSearch(const QMap<QString, QString> &p)
{
    const QString plate = p.value(QStringLiteral("sCarProductNum")).trimmed();
    const QString types = p.value(QStringLiteral("sCarImportType")).trimmed();
    const QString store = storeOf(m_db, p.value(QStringLiteral("sUserCode")));
    if (store.isEmpty())
        return jsonMessage(QStringLiteral("사용자 정보를 확인할 수 없습니다. 다시 로그인해주세요."));
    if (plate.size() < 2)
        return jsonMessage(QStringLiteral("차량번호를 입력해주세요."));
    DataSet found;
    QString error;
    if (!collect(m_db,
                 QStringLiteral("SELECT m1.sCarName AS sCarName1, m2.sCarName AS sCarName2, r.sCarCode1, r.sCarCode2,"
                                " m1.sCarGroup AS sCarGroup1, m1.sCarImportType, r.sCarProductYearMonth,"
                                " f.sCarFuelName, r.sCarFuelCode, r.sCarProductFirstRegDate,"
                                " r.sCarProductCheckStartDate, r.sCarProductCheckEndDate, r.sCarCC, r.sCarIdNum,"
                                " r.sCarProductNum FROM registry r"
                                " LEFT JOIN models m1 ON m1.sCarCode = r.sCarCode1"
                                " LEFT JOIN models m2 ON m2.sCarCode = r.sCarCode2"
                                " LEFT JOIN fuels f ON f.sCarFuelCode = r.sCarFuelCode"
                                " WHERE replace(r.sCarProductNum, ' ', '') = replace(?, ' ', '')"),
                 {plate}, {}, &found.rows, &error))
        return CallOutcome::failure(error);
    if (found.rows.isEmpty())
        return jsonMessage(QStringLiteral("조회된 차량 정보가 없습니다. 차량번호를 확인해주세요."));
    QJsonObject body;
    QString importType;
    for (const auto &[name, value] : found.rows.first()) {
        if (name == QLatin1String("sCarImportType"))
            importType = value.toString();
        else if (name != QLatin1String("sCarProductNum") && !value.isNull())
            body.insert(name, value.toString());
    }
    if (!types.isEmpty() && !types.contains(importType))
        return jsonMessage(importType == QLatin1String("3")
                               ? QStringLiteral("화물/특장 차량입니다. 화물 탭에서 조회해주세요.")
                               : QStringLiteral("승용 차량입니다. 승용 탭에서 조회해주세요."));
    Query own(m_db,
              QStringLiteral("SELECT sCarProductMileage, iCarProductMoney, sCarStatus, sCarProductCode FROM cars"
                             " WHERE sStoreCode = ? AND replace(sCarProductNum, ' ', '') = replace(?, ' ', '') AND %1"
                             " ORDER BY sCarProductRegDate DESC LIMIT 1")
                  .arg(QLatin1String(kHeld)),
              {store, plate});
    if (own.ok && own.q.next()) {
        body.insert(QStringLiteral("sCarProductMileage"), own.q.value(0).toString());
        body.insert(QStringLiteral("iCarProductMoney"), QString::number(own.q.value(1).toLongLong() / 10000));
        body.insert(QStringLiteral("sCarStatus"), own.q.value(2).toString());
        body.insert(QStringLiteral("sCarProductCode"), own.q.value(3).toString());
    }
    return CallOutcome::result(jsonText(QJsonObject{
        {QStringLiteral("message"), kSuccess},
        {QStringLiteral("body"), QString::fromUtf8(QJsonDocument(body).toJson(QJsonDocument::Compact))}}));
}

// The registration hand-off: recorded, for a car of the dealer's shop.
CallOutcome Procedures::carProductInfoSend(const QMap<QString, QString> &p)
{
    const QString code = p.value(QStringLiteral("sCarProductCode")).trimmed();
    const QString type = p.value(QStringLiteral("sInputType")).trimmed();
    const QString user = p.value(QStringLiteral("sUserCode")).trimmed();
    const QString store = storeOf(m_db, user);
    if (store.isEmpty())
        return jsonMessage(QStringLiteral("사용자 정보를 확인할 수 없습니다. 다시 로그인해주세요."));
    if (type != QLatin1String("PUT") && type != QLatin1String("POST"))
        return jsonMessage(QStringLiteral("요청 구분(sInputType)은 PUT 또는 POST여야 합니다."));
    if (!m_db.value(QStringLiteral("SELECT 1 FROM cars WHERE sCarProductCode = ? AND sStoreCode = ?"), {code, store}).isValid())
        return jsonMessage(QStringLiteral("차량 정보를 찾을 수 없습니다: ") + code);
    QString error;
    if (!m_db.exec(QStringLiteral("INSERT INTO handoffs (sCarProductCode, sInputType, sUserCode, sRequest, sRegDate)"
                                  " VALUES (?,?,?,?,?)"),
                   {code, type, user, p.value(QStringLiteral("sRequest")), nowStamp()}, &error))
        return CallOutcome::failure(QStringLiteral("database error: ") + error);
    return jsonMessage(kSuccess);
}

} // namespace tvs
