#include "EnterCar5Controller.h"

#include "AppData.h"
#include "Navigator.h"
#include "ScreenContext.h"
#include "WizardLogging.h"
#include "WizardState.h"

#include <QPointer>

namespace tvs {

EnterCar5Controller::EnterCar5Controller(ScreenContext *context, QObject *parent)
    : Screen(context, parent),
      m_queries(context ? context->procedures : nullptr, context ? context->jsonServices : nullptr, this)
{
}

void EnterCar5Controller::viewDidLoad()
{
    if (WizardState::editing()) {
        inputContent = WizardState::value(WizardKey::ProductContent);
        emit contentChanged();
    }
}

void EnterCar5Controller::setSubmitting(bool submitting)
{
    m_submitting = submitting;
    emit submittingChanged();
}

void EnterCar5Controller::prepare()
{
    using namespace WizardKey;
    WizardState::set(Content, inputContent);
    const QString status = WizardState::value(Status);
    if (status.isEmpty() || status == QLatin1String("27"))
        WizardState::set(Status, QStringLiteral("3"));
    if (WizardState::value(ProductCode).isEmpty())
        WizardState::set(ProductCode, QString());
    const QList<QString> unused = WizardState::isTruck()
                                      ? QList<QString>{Code3, Code4, Code5}
                                      : QList<QString>{Code6, FormCode1, FormCode2, FormCode3};
    for (const QString &key : unused)
        WizardState::set(key, QString());
}

void EnterCar5Controller::import_p5_btns()
{
    if (m_submitting)
        return;
    prepare();
    setSubmitting(true);
    setLoading(true);
    m_queries.registerCar(WizardState::values(), AppData::shared()->userCode(), WizardState::optionsJson(),
                          [this](const QueryResult<Registration> &result) { registered(result); });
}

// The answer comes once; the code is the element's whole text, trimmed.
void EnterCar5Controller::registered(const QueryResult<Registration> &result)
{
    setLoading(false);
    const QString code = result.value.productCode;
    if (!result.ok() || code.isEmpty()) {
        // The dealer stays here and may send again.
        setSubmitting(false);
        if (!result.ok())
            return; // logged
        qCWarning(lcWizard).noquote()
            << "registration answered without a product code:" << result.value.message;
        if (!result.value.message.isEmpty())
            presentAlert(result.value.message, QString());
        return;
    }
    WizardState::set(WizardKey::ProductCode, code);
    const bool changed = WizardState::editing();
    QPointer<Navigator> nav = navigator();
    // The hand-off's answer comes after this screen has gone: any refusal is
    // shown over whatever screen is visible then.
    m_queries.handOff(code, changed, AppData::shared()->userCode(), nav, [nav](const QString &refusal) {
        if (nav && nav->top())
            nav->top()->presentAlert(refusal, QString());
    });
    WizardState::finish();
    if (nav)
        nav->returnTo(QStringLiteral("MainView"));
    else
        qCWarning(lcWizard) << "no navigator to return to the dashboard";
}

} // namespace tvs
