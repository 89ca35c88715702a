#pragma once

#include "Navigator.h"

#include <QLatin1String>
#include <QString>
#include <QUrl>

#include <span>

namespace tvs {

class Screen;
struct ScreenContext;

// Every screen's identifier, as the navigator knows it. Areas open each other in
// both directions (the login opens the dashboard, the dashboard's sign-out goes
// back to the login), so the identifiers live here, below every area.
namespace ScreenId {
inline constexpr QLatin1String LoginController{"LoginController"};
inline constexpr QLatin1String MainView{"MainView"};
inline constexpr QLatin1String CarListController{"CarListController"};
inline constexpr QLatin1String MainDetailController{"MainDetailController"};
inline constexpr QLatin1String WebController{"WebController"};
inline constexpr QLatin1String AuctionController{"AuctionController"};
inline constexpr QLatin1String auctionDetail{"auctionDetail"};
inline constexpr QLatin1String auctionPopCall{"auctionPopCall"};
inline constexpr QLatin1String EnterCarController{"EnterCarController"};
inline constexpr QLatin1String EnterCar2{"EnterCar2"};
inline constexpr QLatin1String EnterCar3{"EnterCar3"};
inline constexpr QLatin1String EnterCar4{"EnterCar4"};
inline constexpr QLatin1String EnterCar5{"EnterCar5"};
inline constexpr QLatin1String WorkOrder_p1{"WorkOrder_p1"};
inline constexpr QLatin1String WorkOrder_p2{"WorkOrder_p2"};
inline constexpr QLatin1String WorkOrder_p3{"WorkOrder_p3"};
inline constexpr QLatin1String WorkWrite_p1{"WorkWrite_p1"};
inline constexpr QLatin1String WorkWrite_p2{"WorkWrite_p2"};
} // namespace ScreenId

// One transition: its identifier, the screen it opens and how. Each area declares
// the transitions that leave its screens in `<Area>Transitions.h`, as constants and
// in the table `All` that its registrar registers; controllers perform and compare
// the same constants, so a name is written once.
struct Transition
{
    QLatin1String name;
    QLatin1String destination;
    Navigator::Kind kind = Navigator::Kind::Push;

    operator QString() const { return name; }
    friend bool operator==(const QString &identifier, const Transition &transition)
    {
        return identifier == transition.name;
    }
};

// Declares `identifier`, the push transition named "identifier" that opens the
// screen ScreenId::`screen`: the name is written once, as the constant's.
#define TVS_PUSH(identifier, screen)                                                                         \
    inline constexpr Transition identifier = {QLatin1String(#identifier), ScreenId::screen}

inline void registerTransitions(Navigator &navigator, std::span<const Transition> transitions)
{
    for (const Transition &t : transitions)
        navigator.registerTransition(t.name, t.destination, t.kind);
}

// Registers `Controller` as screen `identifier` with its page `page` (a qrc URL).
template <typename Controller>
void registerScreen(Navigator &navigator, QLatin1String identifier, const char *page)
{
    navigator.registerScreen(identifier, QUrl(QLatin1String(page)),
                             [](ScreenContext *context) -> Screen * { return new Controller(context); });
}

} // namespace tvs
