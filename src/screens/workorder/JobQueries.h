#pragma once

#include "Query.h"

namespace tvs {

// The questions the work-order screens ask the service: the shop's cars for a
// plate, a car's job orders, a car's inspection items and the repair shops.
// Each answer reaches `receiver`'s thread and never comes once it is gone.
class JobQueries : public AreaQueries
{
public:
    using Done = AreaQueries::Done<Records>;

    using AreaQueries::AreaQueries;

    // The dealer's cars whose plate holds `plateText` (every car for an empty text).
    void jobCars(const QString &userCode, const QString &plateText, Done done);
    // The dealer's job orders of one car, with each order's work and repair shop.
    void jobOrders(const QString &userCode, const QString &productCode, Done done);
    // The inspection items of a car (or of the car of job order `jobListCode`).
    void inspectionItems(const QString &productCode, const QString &jobListCode, Done done);
    // Every repair shop, in the service's order.
    void repairShops(Done done);

private:
    void send(const QString &name, const QString &callText, const QStringList &fields, const QString &refusal,
              Done done);
};

} // namespace tvs
