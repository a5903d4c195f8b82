#pragma once
// OLE automation dates: days since 1899-12-30 00:00 as a double, the fraction
// being the time of day. Before that day the fraction counts forwards from the
// (negative) day: -1.25 is 1899-12-29 06:00. Years 100 to 9999.

#include "platform/core/Types.h"

constexpr DATE OLE_DATE_MIN = -657434.0;        // 0100-01-01
constexpr DATE OLE_DATE_MAX = 2958465.99999999; // 9999-12-31 23:59:59

// TRUE on success. Milliseconds are ignored going in; coming out the time is
// rounded to the nearest second and the day of week filled in.
INT SystemTimeToVariantTime(const SYSTEMTIME* time, DATE* date);
INT VariantTimeToSystemTime(DATE date, LPSYSTEMTIME time);

namespace platform {
// The date as a plain count of days, so that later dates compare greater.
double LinearFromOleDate(DATE date);
DATE OleDateFromLinear(double days);
}  // namespace platform
