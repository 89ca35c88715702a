#include "EnterCar2Controller.h"
#include "EnterCar3Controller.h"
#include "EnterCar4Controller.h"
#include "EnterCar5Controller.h"
#include "EnterCarController.h"
#include "WizardTransitions.h"

namespace tvs {

// The five steps and the transitions between them. The openers (the car detail,
// the drawer) register the transitions that lead to step 1; the last step goes
// back to the dashboard by its identifier.
void registerWizardScreens(Navigator &navigator)
{
    registerScreen<EnterCarController>(navigator, ScreenId::EnterCarController,
                                       "qrc:/tvs/wizard/EnterCarPage.qml");
    registerScreen<EnterCar2Controller>(navigator, ScreenId::EnterCar2, "qrc:/tvs/wizard/EnterCar2Page.qml");
    registerScreen<EnterCar3Controller>(navigator, ScreenId::EnterCar3, "qrc:/tvs/wizard/EnterCar3Page.qml");
    registerScreen<EnterCar4Controller>(navigator, ScreenId::EnterCar4, "qrc:/tvs/wizard/EnterCar4Page.qml");
    registerScreen<EnterCar5Controller>(navigator, ScreenId::EnterCar5, "qrc:/tvs/wizard/EnterCar5Page.qml");
    registerTransitions(navigator, WizardTransition::All);
}

} // namespace tvs
