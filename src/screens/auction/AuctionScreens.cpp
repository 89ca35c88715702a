#include "AlertViewController.h"
#include "AuctionController.h"
#include "AuctionDetailController.h"
#include "AuctionLogging.h"
#include "AuctionTransitions.h"

namespace tvs {

Q_LOGGING_CATEGORY(lcAuction, "tvs.auction", QtInfoMsg)

// The auction screens and the transitions that leave the board; the dashboard
// registers the two that lead to it.
void registerAuctionScreens(Navigator &navigator)
{
    registerScreen<AuctionController>(navigator, ScreenId::AuctionController,
                                      "qrc:/tvs/auction/AuctionPage.qml");
    registerScreen<AuctionDetailController>(navigator, ScreenId::auctionDetail,
                                            "qrc:/tvs/auction/AuctionDetailPage.qml");
    registerScreen<AlertViewController>(navigator, ScreenId::auctionPopCall,
                                        "qrc:/tvs/auction/AlertViewPage.qml");
    registerTransitions(navigator, AuctionTransition::All);
}

} // namespace tvs
