#pragma once

#include "Screen.h"

namespace tvs {

// The popup over the board with the selling shop's name and telephone number: a
// button that dials the number and one that closes the popup.
class AlertViewController : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString lb_StoreName READ storeNameText CONSTANT)
    Q_PROPERTY(QString lb_StoreNumber READ storeNumberText CONSTANT)

public:
    static const QString kNoData; // "noData"

    explicit AlertViewController(ScreenContext *context, QObject *parent = nullptr);

    // From the board, before the popup is shown; an empty value stays "noData".
    void setStore(const QString &name, const QString &call);

    QString storeName = kNoData;
    QString storeCall = kNoData;

    // Dials "tel://" followed by the number as it stands; the popup stays open.
    Q_INVOKABLE void btnCall();
    Q_INVOKABLE void btnDismiss();

    QString storeNameText() const { return storeName; }
    QString storeNumberText() const { return storeCall; }
};

} // namespace tvs
