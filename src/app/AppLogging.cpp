#include "AppLogging.h"

namespace tvs {
Q_LOGGING_CATEGORY(lcCars, "tvs.cars", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPager, "tvs.pager", QtInfoMsg)
} // namespace tvs
