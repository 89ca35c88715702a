#pragma once

#include "Query.h"

#include <QStringList>

#include <array>
#include <optional>

namespace tvs {

// The four counts of the dashboard in label order (cars on sale, sold, auctions
// running, auctions won); a count the reply lacks is absent.
using CarCounts = std::array<std::optional<QString>, 4>;

// The service's answer to a status change: made, or refused ("rtn" NO) with its
// reason in `sMessage` when it gives one.
struct StatusChange
{
    bool refused = false;
    QString reason;
};

// The questions asked about the dealer's cars, by the dashboard, the car list,
// the car detail and the registration wizard. Each answer reaches `receiver`'s
// thread and never comes once it is gone.
class CarQueries : public AreaQueries
{
public:
    using AreaQueries::AreaQueries;

    // The count elements, in the order of CarCounts.
    static const QStringList &countElements();

    void counts(const QString &userCode, Done<CarCounts> done);
    // The dealer's cars for a state filter (0 all, 9 sold, ...): whole car records.
    // `progress`, when given, gets them in batches as the reply is read, before `done`.
    void ownedCars(const QString &userCode, int filter, Done<Records> done,
                   ProcedureCaller::Progress progress = {});
    // Sets a car's state.
    void changeStatus(const QString &productCode, const QString &newStatus, const QString &userCode,
                      Done<StatusChange> done);
    // The photo paths of a car, in photo-list order (rows without a path skipped).
    void photos(const QString &productCode, Done<QStringList> done);
    // The options a car has: group and detail codes.
    void carOptions(const QString &productCode, Done<Records> done);
    // Every option there is: group and detail codes and names.
    void optionCatalogue(Done<Records> done);
};

// The 36 fields every row that shows a car carries, the dealer's own or one on
// auction: the model chain, the plate, price, states, photo and model years.
const QStringList &carListingFields();

// The 48 fields of a car record (a row of the dealer's car list): the listing's
// and the body forms, name of the last model step, inspection and sale details.
// The whole record travels from the lists to the car detail and on to the
// registration wizard.
const QStringList &carRecordFields();

} // namespace tvs
