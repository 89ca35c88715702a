#include "EnterCar2Controller.h"
#include "EnterCar3Controller.h"
#include "EnterCar4Controller.h"
#include "EnterCar5Controller.h"
#include "EnterCarController.h"
#include "Navigator.h"

#include <QUrl>

namespace tvs {

// The five steps and the transitions between them. The openers (the car detail,
// the drawer) register the transitions that lead to step 1; the last step goes
// back to the dashboard by its identifier.
void registerWizardScreens(Navigator &navigator)
{
    const auto page = [](const char *name) {
        return QUrl(QStringLiteral("qrc:/tvs/wizard/%1.qml").arg(QLatin1String(name)));
    };
    navigator.registerScreen(QStringLiteral("EnterCarController"), page("EnterCarPage"),
                             [](ScreenContext *context) { return new EnterCarController(context); });
    navigator.registerScreen(QStringLiteral("EnterCar2"), page("EnterCar2Page"),
                             [](ScreenContext *context) { return new EnterCar2Controller(context); });
    navigator.registerScreen(QStringLiteral("EnterCar3"), page("EnterCar3Page"),
                             [](ScreenContext *context) { return new EnterCar3Controller(context); });
    navigator.registerScreen(QStringLiteral("EnterCar4"), page("EnterCar4Page"),
                             [](ScreenContext *context) { return new EnterCar4Controller(context); });
    navigator.registerScreen(QStringLiteral("EnterCar5"), page("EnterCar5Page"),
                             [](ScreenContext *context) { return new EnterCar5Controller(context); });

    const struct
    {
        const char *transition;
        const char *destination;
    } transitions[] = {
        {"enter_to_enter2", "EnterCar2"},
        {"enter2_to_enter3", "EnterCar3"},
        {"enter3_to_enter4", "EnterCar4"},
        {"enter4_to_enter5", "EnterCar5"},
    };
    for (const auto &t : transitions) {
        navigator.registerTransition(QString::fromLatin1(t.transition), QString::fromLatin1(t.destination),
                                     Navigator::Kind::Push);
    }
}

} // namespace tvs
