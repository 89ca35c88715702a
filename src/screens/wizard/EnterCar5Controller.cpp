#include "EnterCar5Controller.h"

#include "AppData.h"
#include "Navigator.h"
#include "ScreenContext.h"
#include "ScreenNames.h"
#include "WizardLogging.h"
#include "WizardState.h"

#include <QPointer>

namespace tvs {

EnterCar5Controller::EnterCar5Controller(ScreenContext *context, QObject *parent)
    : Screen(context, parent),
      m_queries(context ? context->procedures : nullptr, context ? context->jsonServices : nullptr, this)
{
}

// The description typed on an earlier visit of this step, else the car's own.
void EnterCar5Controller::viewDidLoad()
{
    using namespace WizardKey;
    if (WizardState::has(Content))
        inputContent = WizardState::value(Content);
    else if (WizardState::editing())
        inputContent = WizardState::value(ProductContent);
    emit contentChanged();
}

void EnterCar5Controller::viewWillDisappear()
{
    if (!m_saved)
        WizardState::set(WizardKey::Content, inputContent);
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
    // A truck keeps its detail model, which step 1 stores as codes 3 and 4 (it
    // is required there, and dropping it would lose it from the car); its code 5
    // holds the second form's code, which goes as form code 2.
    const QList<QString> unused = WizardState::isTruck()
                                      ? QList<QString>{Code5}
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
        setSubmitting(false);
        if (!result.ok()) {
            showNotSaved(failureText(result.status));
        } else if (!result.value.message.isEmpty()) {
            qCWarning(lcWizard).noquote() << "registration refused:" << result.value.message;
            presentAlert(result.value.message, QString());
        } else {
            qCWarning(lcWizard) << "registration answered without a product code or a message";
            showNotSaved(QStringLiteral("서버의 응답에 등록 결과가 없습니다."));
        }
        return;
    }
    m_saved = true;
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
        nav->returnTo(ScreenId::MainView);
    else
        qCWarning(lcWizard) << "no navigator to return to the dashboard";
}

void EnterCar5Controller::showNotSaved(const QString &what)
{
    presentActions(QStringLiteral("등록 실패"), QStringLiteral("차량 정보가 저장되지 않았습니다.\n") + what,
                   {{QStringLiteral("다시 시도"), DialogAction::Default},
                    {QStringLiteral("확인"), DialogAction::Cancel}},
                   [this](int action) {
                       if (action == 0)
                           import_p5_btns();
                   });
}

} // namespace tvs
