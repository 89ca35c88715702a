#include "FakeServices.h"

namespace tvs::test {

FixedClock::FixedClock()
{
    setNow(QDateTime(QDate(2026, 3, 15), QTime(10, 0), timeZone()));
}

} // namespace tvs::test
