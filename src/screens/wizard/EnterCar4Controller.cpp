#include "EnterCar4Controller.h"

#include "WizardCodes.h"
#include "WizardState.h"
#include "WizardTransitions.h"

namespace tvs {

EnterCar4Controller::EnterCar4Controller(ScreenContext *context, QObject *parent) : Screen(context, parent) {}

// Marked by code in both modes: the code is what choosing a colour writes, and
// what the car record carries.
void EnterCar4Controller::viewDidLoad()
{
    const QString code = WizardState::value(WizardKey::ColorCode);
    const QList<Colors> &colors = WizardCodes::palette();
    for (int i = 0; i < colors.size(); ++i) {
        if (!code.isEmpty() && colors.at(i).colorCode == code) {
            m_palette.select(i);
            emit selectionChanged();
        }
    }
}

void EnterCar4Controller::selectColor(int index)
{
    if (index < 0 || index >= WizardCodes::palette().size())
        return;
    m_palette.select(index);
    WizardState::set(WizardKey::ColorCode, WizardCodes::palette().at(index).colorCode);
    emit selectionChanged();
    emit scrollToBottomRequested();
}

void EnterCar4Controller::import_p4_btns()
{
    if (WizardState::value(WizardKey::ColorCode).isEmpty()) {
        presentAlert(QStringLiteral("색상을 선택해주세요."), QString());
        return;
    }
    performSegue(WizardTransition::enter4_to_enter5);
}

} // namespace tvs
