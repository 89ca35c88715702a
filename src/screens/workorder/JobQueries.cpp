#include "JobQueries.h"

#include "CallText.h"
#include "WorkOrderLogging.h"

namespace tvs {

namespace {

QString noUserCode(const QString &userCode)
{
    return userCode.isEmpty() ? QStringLiteral("no user code in the session") : QString();
}

} // namespace

void JobQueries::send(const QString &name, const QString &text, const QStringList &fields,
                      const QString &refusal, Done done)
{
    ProcedureQuery query;
    query.name = name;
    query.callText = text;
    query.shape.rowFields = QSet<QString>(fields.cbegin(), fields.cend());
    query.shape.cleaning = Cleaning::Stripping;
    query.refusal = refusal;
    query.dumpPrefix = QStringLiteral("getCar: ");
    sendQuery<Records>(
        m_caller, lcWorkOrder(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) { return answer.rows; }, std::move(done));
}

void JobQueries::jobCars(const QString &userCode, const QString &plateText, Done done)
{
    send(QStringLiteral("work-order cars"), callText(QStringLiteral("ps_GetJobList1"), {userCode, plateText}),
         {QStringLiteral("sCarProductCode"), QStringLiteral("sCarProductNum"), QStringLiteral("sCarIdNum"),
          QStringLiteral("sCarName1"), QStringLiteral("sCarName2"), QStringLiteral("sCarProductYearMonth"),
          QStringLiteral("sCarStatus"), QStringLiteral("sCarProductCheckStatus")},
         noUserCode(userCode), std::move(done));
}

void JobQueries::jobOrders(const QString &userCode, const QString &productCode, Done done)
{
    send(QStringLiteral("job orders"), callText(QStringLiteral("ps_GetMainJobList"), {userCode, productCode}),
         {QStringLiteral("sJobListCode"), QStringLiteral("iJobPrice"), QStringLiteral("sJobListRegdate"),
          QStringLiteral("sJobOrderListStatus"), QStringLiteral("sJobContent"), QStringLiteral("sStoreCode"),
          QStringLiteral("sStoreName")},
         noUserCode(userCode), std::move(done));
}

void JobQueries::inspectionItems(const QString &productCode, const QString &jobListCode, Done done)
{
    send(QStringLiteral("inspection items"),
         callText(QStringLiteral("ps_GetCheckRepairList"), {productCode, jobListCode}),
         {QStringLiteral("sCarProductCheckDate"), QStringLiteral("sCarProductCheckItemCode"),
          QStringLiteral("sCarProductCheckItemUpCode"), QStringLiteral("sCarProductCheckItemName"),
          QStringLiteral("sCarProductCheckItemSubCode"), QStringLiteral("sCarProductCheckItemContent")},
         productCode.isEmpty() && jobListCode.isEmpty() ? QStringLiteral("neither a car nor a job order")
                                                        : QString(),
         std::move(done));
}

void JobQueries::repairShops(Done done)
{
    send(QStringLiteral("repair shops"), callText(QStringLiteral("ps_GetStoreList"), {}),
         {QStringLiteral("sStoreCode"), QStringLiteral("sStoreName")}, QString(), std::move(done));
}

} // namespace tvs
