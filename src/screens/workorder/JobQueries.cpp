#include "JobQueries.h"

#include "CallText.h"
#include "CarFields.h"
#include "WorkOrderFields.h"
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
         {CarField::sCarProductCode, CarField::sCarProductNum, CarField::sCarIdNum, CarField::sCarName1,
          CarField::sCarName2, CarField::sCarProductYearMonth, CarField::sCarStatus,
          CarField::sCarProductCheckStatus},
         noUserCode(userCode), std::move(done));
}

void JobQueries::jobOrders(const QString &userCode, const QString &productCode, Done done)
{
    send(QStringLiteral("job orders"), callText(QStringLiteral("ps_GetMainJobList"), {userCode, productCode}),
         {JobField::sJobListCode, JobField::iJobPrice, JobField::sJobListRegdate,
          JobField::sJobOrderListStatus, JobField::sJobContent, JobField::sStoreCode, JobField::sStoreName},
         noUserCode(userCode), std::move(done));
}

void JobQueries::inspectionItems(const QString &productCode, const QString &jobListCode, Done done)
{
    send(QStringLiteral("inspection items"),
         callText(QStringLiteral("ps_GetCheckRepairList"), {productCode, jobListCode}),
         {CarField::sCarProductCheckDate, CarField::sCarProductCheckItemCode,
          CarField::sCarProductCheckItemUpCode, CarField::sCarProductCheckItemName,
          CarField::sCarProductCheckItemSubCode, CarField::sCarProductCheckItemContent},
         productCode.isEmpty() && jobListCode.isEmpty() ? QStringLiteral("neither a car nor a job order")
                                                        : QString(),
         std::move(done));
}

void JobQueries::repairShops(Done done)
{
    send(QStringLiteral("repair shops"), callText(QStringLiteral("ps_GetStoreList"), {}),
         {JobField::sStoreCode, JobField::sStoreName}, QString(), std::move(done));
}

} // namespace tvs
