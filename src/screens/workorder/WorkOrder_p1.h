#pragma once

#include "Screen.h"

namespace tvs {

// The work-order search: one field for a plate number or a part of one; the
// search lists the shop's matching cars (WorkOrder_p2).
class WorkOrder_p1 : public Screen
{
    Q_OBJECT
    Q_PROPERTY(QString carNum MEMBER carNum NOTIFY carNumChanged)

public:
    explicit WorkOrder_p1(ScreenContext *context, QObject *parent = nullptr);

    QString carNum; // the search text, as typed

    void prepareForSegue(const QString &identifier, Screen *destination) override;

    // Return in the field, or the search button: the text goes on as it stands
    // (an empty text lists every car the shop holds).
    Q_INVOKABLE void search();

signals:
    void carNumChanged();
};

} // namespace tvs
