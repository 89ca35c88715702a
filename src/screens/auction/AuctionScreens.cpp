#include "AlertViewController.h"
#include "AuctionController.h"
#include "AuctionDetailController.h"
#include "AuctionLogging.h"
#include "Navigator.h"

#include <QUrl>

namespace tvs {

Q_LOGGING_CATEGORY(lcAuction, "tvs.auction", QtInfoMsg)

// The auction screens and the transitions that leave the board; the dashboard
// registers the two that lead to it.
void registerAuctionScreens(Navigator &navigator)
{
    navigator.registerScreen(QStringLiteral("AuctionController"),
                             QUrl(QStringLiteral("qrc:/tvs/auction/AuctionPage.qml")),
                             [](ScreenContext *context) { return new AuctionController(context); });
    navigator.registerScreen(QStringLiteral("auctionDetail"),
                             QUrl(QStringLiteral("qrc:/tvs/auction/AuctionDetailPage.qml")),
                             [](ScreenContext *context) { return new AuctionDetailController(context); });
    navigator.registerScreen(QStringLiteral("auctionPopCall"),
                             QUrl(QStringLiteral("qrc:/tvs/auction/AlertViewPage.qml")),
                             [](ScreenContext *context) { return new AlertViewController(context); });
    navigator.registerTransition(QStringLiteral("auctionDetail"), QStringLiteral("auctionDetail"),
                                 Navigator::Kind::Push);
    navigator.registerTransition(QStringLiteral("auctionPopCall"), QStringLiteral("auctionPopCall"),
                                 Navigator::Kind::OverContext);
}

} // namespace tvs
