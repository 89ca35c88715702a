#include "CarQueries.h"

#include "AppLogging.h"
#include "CallText.h"
#include "CarFields.h"

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

const QStringList &carListingFields()
{
    static const QStringList fields = {
        CarField::sCarProductCode,
        CarField::sCarCode1,
        CarField::sCarName1,
        CarField::sCarCode2,
        CarField::sCarName2,
        CarField::sCarCode3,
        CarField::sCarName3,
        CarField::sCarCode4,
        CarField::sCarName4,
        CarField::sCarCode5,
        CarField::sCarName5,
        CarField::sCarCode6,
        CarField::sCarProductNum,
        CarField::sCarProductYearMonth,
        CarField::iCarProductMoney,
        CarField::sCarProductContent,
        CarField::sCarProductStatus,
        CarField::sCarProductMileage,
        CarField::sCarStatus,
        CarField::sCarImportType,
        CarField::sCarTransmissionCode,
        CarField::sCarTransmissionName,
        CarField::sCarColorCode,
        CarField::sCarColorName,
        CarField::sCarFuelCode,
        CarField::sCarProductRegDate,
        CarField::sCarProductUpDate,
        CarField::sCarFuelName,
        CarField::sCarParkingImageFile,
        CarField::sCarPhotoID,
        CarField::sCarPhotoPath,
        CarField::sCarIdNum,
        CarField::sCarStartYear,
        CarField::sCarEndYear,
        CarField::sCarCC,
        CarField::sCarGroup,
    };
    return fields;
}

const QStringList &carRecordFields()
{
    static const QStringList own = {
        CarField::sCarName6,
        CarField::sCarFormCode1,
        CarField::sCarFormCode2,
        CarField::sCarFormCode3,
        CarField::sCarFormName1,
        CarField::sCarFormName2,
        CarField::sCarFormName3,
        CarField::sCheckEndDate,
        CarField::iFavoirteCount,
        CarField::sCarProductCheckDate,
        CarField::sCarProductFirstRegDate,
        CarField::sCarProductSaleType,
    };
    static const QStringList fields = carListingFields() + own;
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

void CarQueries::ownedCars(const QString &userCode, int filter, Done<Records> done,
                           ProcedureCaller::Progress progress)
{
    ProcedureQuery query;
    query.name = QStringLiteral("car list");
    query.callText =
        callText(QStringLiteral("ps_GetUserProductCar_Info2"), {userCode, QString::number(filter)});
    query.shape =
        rowsOf(QSet<QString>(carRecordFields().cbegin(), carRecordFields().cend()), Cleaning::Trimming);
    query.refusal = noUserCode(userCode);
    query.progress = std::move(progress);
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
    query.shape = rowsOf({CarField::sCarPhotoPath});
    sendQuery<QStringList>(
        m_caller, lcCars(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) {
            QStringList paths;
            for (const Record &row : answer.rows) {
                // An empty path names no picture.
                const QString path = row.value(CarField::sCarPhotoPath);
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
    query.shape = rowsOf({CarField::sCarOptionCode, CarField::sCarOptionDetailCode});
    sendQuery<Records>(m_caller, lcCars(), std::move(query), m_receiver, rowsRead, std::move(done));
}

void CarQueries::optionCatalogue(Done<Records> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("option catalogue");
    query.callText = callText(QStringLiteral("ps_GetCarOption"), {});
    query.shape = rowsOf({CarField::sCarOptionCode, CarField::sCarOptionDetailCode,
                          CarField::sCarOptionDetailName, CarField::sCarOptionName});
    sendQuery<Records>(m_caller, lcCars(), std::move(query), m_receiver, rowsRead, std::move(done));
}

} // namespace tvs
