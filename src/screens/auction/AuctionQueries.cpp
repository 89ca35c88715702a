#include "AuctionQueries.h"

#include "AuctionFields.h"
#include "AuctionLogging.h"
#include "CallText.h"
#include "CarQueries.h"
#include "DealerFields.h"
#include "XmlEntities.h"

#include <QCoreApplication>

namespace tvs {

const QStringList &AuctionQueries::rowFields()
{
    static const QStringList own = {
        DealerField::sUserCode,          AuctionField::sMapCode,           AuctionField::sMapPointCode,
        AuctionField::sMapName,          AuctionField::sMapPointName,      AuctionField::sAuctionCode,
        AuctionField::sAuctionStartDate, AuctionField::sAuctionEndDate,    AuctionField::sAuctionStatus,
        AuctionField::sAuctionType,      AuctionField::sMaxUserCode,       AuctionField::sAuctionUserCode,
        AuctionField::sAuctionUserName,  AuctionField::sAuctionUserTelnum, AuctionField::iAuctionMaxPrice,
    };
    static const QStringList fields = carListingFields() + own;
    return fields;
}

void AuctionQueries::board(Done<Records> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("auction board");
    query.callText = callText(QStringLiteral("ps_GetAuctionCar_info1"), {});
    query.shape.rowFields = QSet<QString>(rowFields().cbegin(), rowFields().cend());
    query.shape.cleaning = Cleaning::Stripping;
    query.dumpPrefix = QStringLiteral("getCar: ");
    sendQuery<Records>(
        m_caller, lcAuction(), std::move(query), m_receiver,
        [](const QueryAnswer &answer) { return answer.rows; }, std::move(done));
}

void AuctionQueries::bid(const QString &auctionCode, const QString &userCode, const QString &amount,
                         Done<BidAnswer> done)
{
    ProcedureQuery query;
    query.name = QStringLiteral("bid");
    query.operation = kProcedureExecute;
    query.callText = callText(QStringLiteral("ps_SetAuctionCar"), {auctionCode, userCode, amount});
    if (auctionCode.isEmpty())
        query.refusal = QStringLiteral("the auction row carries no auction code");
    else if (userCode.isEmpty())
        query.refusal = QStringLiteral("no user code in the session");
    query.keepText = true;
    query.shape.namedElements = {QStringLiteral("sMessage")};
    query.dumpPrefix = QStringLiteral("bid: ");
    sendQuery<BidAnswer>(
        m_caller, lcAuction(), std::move(query), QCoreApplication::instance(),
        [](const QueryAnswer &answer) {
            // The service writes its answer escaped inside the envelope.
            BidAnswer bid{unescapeXmlEntities(answer.text)
                              .value_or(QString())
                              .contains(QLatin1String("<rtn>YES</rtn>")),
                          answer.named.value(QStringLiteral("sMessage"))};
            qCInfo(lcAuction) << "bid" << (bid.taken ? "taken" : "refused") << bid.message;
            return bid;
        },
        std::move(done));
}

} // namespace tvs
