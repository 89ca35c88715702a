#pragma once

#include "Screen.h"
#include "WizardQueries.h"

namespace tvs {

// Step 5 of the registration wizard: the description, then the submission of
// everything the wizard collected. With the car's product code in the answer it
// tells the hand-off service, clears the wizard's state and goes back to the
// dashboard.
class EnterCar5Controller : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString inputContent MEMBER inputContent NOTIFY contentChanged)
    Q_PROPERTY(bool submitting READ submitting NOTIFY submittingChanged)

public:
    explicit EnterCar5Controller(ScreenContext *context, QObject *parent = nullptr);

    QString inputContent; // the description as typed

    void viewDidLoad() override;
    void viewWillDisappear() override;

    Q_INVOKABLE void import_p5_btns();

    // True from the submission until its answer: the submit button and the way
    // back are inactive, so the dealer never leaves a car half sent.
    bool submitting() const { return m_submitting; }

signals:
    void contentChanged();
    void submittingChanged();

private:
    void prepare();
    void setSubmitting(bool submitting);
    void registered(const QueryResult<Registration> &result);
    // The registration found no answer: the car was not saved, and the dealer
    // may send it again.
    void showNotSaved(const QString &what);

    WizardQueries m_queries;
    bool m_submitting = false;
    bool m_saved = false;
};

} // namespace tvs
