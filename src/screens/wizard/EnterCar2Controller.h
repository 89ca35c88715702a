#pragma once

#include "Screen.h"

namespace tvs {

// Step 2 of the registration wizard: displacement, mileage, chassis number, the
// asking price (typed in units of ten thousand won) and the sale type. Nothing is
// sent; the values go to the wizard's state and step 3 opens.
class EnterCar2Controller : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString editCC MEMBER editCC NOTIFY fieldsChanged)
    Q_PROPERTY(QString sCarMileage MEMBER sCarMileage NOTIFY fieldsChanged)
    Q_PROPERTY(QString editPrice MEMBER editPrice NOTIFY fieldsChanged)
    Q_PROPERTY(QString editCarId MEMBER editCarId NOTIFY fieldsChanged)
    Q_PROPERTY(QString editSelect READ saleTypeTitle NOTIFY saleTypeChanged)

public:
    explicit EnterCar2Controller(ScreenContext *context, QObject *parent = nullptr);

    // The four fields' texts, as the dealer typed them.
    QString editCC;
    QString sCarMileage;
    QString editPrice;
    QString editCarId;

    void viewDidLoad() override;
    void viewWillDisappear() override;

    Q_INVOKABLE void actionCarSelect();
    Q_INVOKABLE void actionNext();

    QString saleTypeTitle() const { return m_saleTypeTitle; }

signals:
    void fieldsChanged();
    void saleTypeChanged();
    // The field named `field` ("editCC", "sCarMileage", "editCarId", "editPrice")
    // takes the keyboard.
    void focusRequested(const QString &field);

private:
    // The four fields' texts, in the order of their names in the .cpp.
    QList<QString *> texts() { return {&editCC, &sCarMileage, &editCarId, &editPrice}; }

    QString m_saleTypeTitle;
    // What the fields showed when the step was shown: only what the dealer
    // changed is kept as typed.
    QStringList m_shownAtLoad;
    // The stored price (won) and what the price field showed for it: a field left
    // as it was stores the price unchanged instead of multiplying it again.
    QString m_storedPrice;
    QString m_shownPrice;
    bool m_hadPrice = false;
};

} // namespace tvs
