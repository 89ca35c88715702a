#pragma once

#include "AuctionController.h"
#include "CarFixtures.h"
#include "ReplyBuilder.h"

#include <QTest>

namespace tvs::test {

inline const QString kBoard = QStringLiteral("ps_GetAuctionCar_info1");
inline const QString kBid = QStringLiteral("ps_SetAuctionCar");

// A board row: auction `code` of car "C<code>", ending 2:15 after the pinned clock;
// `more` overwrites fields, a null value leaves the field out.
inline Record auctionRow(const QString &code, const QString &status, const QString &maxUser,
                         std::initializer_list<std::pair<QString, QString>> more = {})
{
    Record r{{"sAuctionCode", code},
             {"sCarProductCode", "C" + code},
             {"sAuctionStatus", status},
             {"sMaxUserCode", maxUser}};
    // The rest is alike in every row.
    const char *const same =
        "sCarName1=현대;sCarName2=쏘나타;sCarProductNum=12가3456;sCarProductYearMonth=2019;"
        "iAuctionMaxPrice=16000000;sAuctionEndDate=20260315121500;sAuctionUserName=새길오토;"
        "sAuctionUserTelnum=031-222-0202";
    for (const QString &field : QString::fromUtf8(same).split(u';'))
        r.insert(field.section(u'=', 0, 0), field.section(u'=', 1));
    for (const auto &[field, value] : more)
        value.isNull() ? void(r.remove(field)) : r.insert(field, value);
    return r;
}

// The board opened with `openPage`, once its first reply (these rows) has arrived.
inline AuctionController *showBoard(TestContext &t, const Records &rows, int openPage = 0)
{
    t.procedures.answer(kBoard, rows.isEmpty() ? noRowsBody() : replyBody(rows));
    auto *board = qobject_cast<AuctionController *>(t.navigator->instantiate(u"AuctionController"_qs));
    board->setOpenPage(openPage);
    t.navigator->push(board);
    [&] { QTRY_VERIFY(!board->isFetching() && board->loadingCount() == 0); }();
    return board;
}

} // namespace tvs::test
