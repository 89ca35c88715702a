#pragma once

#include <QLoggingCategory>

namespace tvs {

// The dealer's cars as the service is asked for them (CarQueries).
Q_DECLARE_LOGGING_CATEGORY(lcCars)
// The photo pager of the car and auction details.
Q_DECLARE_LOGGING_CATEGORY(lcPager)

} // namespace tvs
