#include "CarQueries.h"

#include "AppLogging.h"
#include "CallText.h"

namespace tvs {

namespace {

QString noUserCode(const QString &userCode)
{
    return userCode.isEmpty() ? QStringLiteral("no user code in the session") : QString();
}

ReplyShape rowsOf(QSet<QString> fields, Cleaning cleaning = Cleaning::Stripping)
{
    ReplyShape shape;
    shape.rowFields = std::move(fields);
    shape.cleaning = cleaning;
    return shape;
}

Records rowsRead(const QueryAnswer &answer)
{
    return answer.rows;
}

} // namespace

const QStringList &carRecordFields()
{
    static const QStringList fields = {
        QStringLiteral("sCarProductCode"),
        QStringLiteral("sCarCode1"),
        QStringLiteral("sCarName1"),
        QStringLiteral("sCarCode2"),
        QStringLiteral("sCarName2"),
        QStringLiteral("sCarCode3"),
        QStringLiteral("sCarName3"),
        QStringLiteral("sCarCode4"),
        QStringLiteral("sCarName4"),
        QStringLiteral("sCarCode5"),
        QStringLiteral("sCarName5"),
        QStringLiteral("sCarCode6"),
        QStringLiteral("sCarName6"),
        QStringLiteral("sCarFormCode1"),
        QStringLiteral("sCarFormCode2"),
        QStringLiteral("sCarFormCode3"),
        QStringLiteral("sCarFormName1"),
        QStringLiteral("sCarFormName2"),
        QStringLiteral("sCarFormName3"),
        QStringLiteral("sCheckEndDate"),
        QStringLiteral("sCarProductNum"),
        QStringLiteral("sCarProductYearMonth"),
        QStringLiteral("iCarProductMoney"),
        QStringLiteral("sCarProductContent"),
        QStringLiteral("sCarProductStatus"),
        QStringLiteral("sCarProductMileage"),
        QStringLiteral("sCarStatus"),
        QStringLiteral("sCarImportType"),
        QStringLiteral("sCarTransmissionCode"),
        QStringLiteral("sCarTransmissionName"),
        QStringLiteral("sCarColorCode"),
        QStringLiteral("sCarColorName"),
        QStringLiteral("sCarFuelCode"),
        QStringLiteral("sCarProductRegDate"),
        QStringLiteral("sCarProductUpDate"),
        QStringLiteral("sCarFuelName"),
        QStringLiteral("sCarParkingImageFile"),
        QStringLiteral("sCarPhotoID"),
        QStringLiteral("sCarPhotoPath"),
        QStringLiteral("sCarIdNum"),
        QStringLiteral("sCarStartYear"),
        QStringLiteral("sCarEndYear"),
        QStringLiteral("sCarCC"),
        QStringLiteral("sCarGroup"),
        QStringLiteral("iFavoirteCount"),
        QStringLiteral("sCarProductCheckDate"),
        QStringLiteral("sCarProductFirstRegDate"),
        QStringLiteral("sCarProductSaleType"),
    };
    return fields;
}

const QStringList &CarQueries::countElements()
{
    static const QStringList names = {QStringLiteral("sSellWait"), QStringLiteral("sSellComplete"),
                                      QStringLiteral("sAuction"), QStringLiteral("AuctionComplete")};
    return names;
}

void CarQueries::counts(const QString &userCode, Done<CarCounts> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("car counts");
    query.callText = callText(QStringLiteral("ps_UserCarCount"), {userCode});
    query.shape.namedElements = QSet<QString>(countElements().cbegin(), countElements().cend());
    query.shape.cleaning = Cleaning::Trimming;
    query.refusal = noUserCode(userCode);
    query.dumpPrefix = QStringLiteral("getCount: ");
    sendQuery<CarCounts>(
        m_caller, lcCars(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            CarCounts counts;
            for (qsizetype i = 0; i < countElements().size(); ++i) {
                if (answer.named.contains(countElements().at(i)))
                    counts[i] = answer.named.value(countElements().at(i));
            }
            return counts;
        },
        std::move(done));
}

void CarQueries::ownedCars(const QString &userCode, int filter, Done<Records> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("car list");
    query.callText =
        callText(QStringLiteral("ps_GetUserProductCar_Info2"), {userCode, QString::number(filter)});
    query.shape =
        rowsOf(QSet<QString>(carRecordFields().cbegin(), carRecordFields().cend()), Cleaning::Trimming);
    query.refusal = noUserCode(userCode);
    sendQuery<Records>(m_caller, lcCars(), std::move(query), m_receiver, rowsRead, std::move(done));
}

void CarQueries::changeStatus(const QString &productCode, const QString &newStatus, const QString &userCode,
                              Done<StatusChange> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("status change");
    query.operation = kProcedureExecute;
    query.callText = callText(QStringLiteral("ps_SetProductCar_Status"),
                              {productCode, newStatus, userCode, QStringLiteral("MOBILE_DEALER")});
    query.shape.namedElements = {QStringLiteral("sMessage")};
    query.shape.cleaning = Cleaning::Trimming;
    query.refusal = noUserCode(userCode);
    sendQuery<StatusChange>(
        m_caller, lcCars(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            return StatusChange{answer.nothingFound, answer.named.value(QStringLiteral("sMessage"))};
        },
        std::move(done));
}

void CarQueries::photos(const QString &productCode, Done<QStringList> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("photo list");
    query.callText = callText(QStringLiteral("ps_GetCarPhotoList"), {productCode});
    query.shape = rowsOf({QStringLiteral("sCarPhotoPath")});
    sendQuery<QStringList>(
        m_caller, lcCars(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            QStringList paths;
            for (const Record &row : answer.rows) {
                // An empty path names no picture.
                const QString path = row.value(QStringLiteral("sCarPhotoPath"));
                if (!path.isEmpty())
                    paths.append(path);
            }
            return paths;
        },
        std::move(done));
}

void CarQueries::carOptions(const QString &productCode, Done<Records> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("car options");
    query.callText = callText(QStringLiteral("ps_GetProductCarOption"), {productCode});
    query.shape = rowsOf({QStringLiteral("sCarOptionCode"), QStringLiteral("sCarOptionDetailCode")});
    sendQuery<Records>(m_caller, lcCars(), std::move(query), m_receiver, rowsRead, std::move(done));
}

void CarQueries::optionCatalogue(Done<Records> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("option catalogue");
    query.callText = callText(QStringLiteral("ps_GetCarOption"), {});
    query.shape = rowsOf({QStringLiteral("sCarOptionCode"), QStringLiteral("sCarOptionDetailCode"),
                          QStringLiteral("sCarOptionDetailName"), QStringLiteral("sCarOptionName")});
    sendQuery<Records>(m_caller, lcCars(), std::move(query), m_receiver, rowsRead, std::move(done));
}

} // namespace tvs
