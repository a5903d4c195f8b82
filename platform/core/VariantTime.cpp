#include "platform/core/VariantTime.h"

#include "platform/core/Time.h"

#include <cmath>

namespace platform {
namespace {
constexpr std::int64_t kOleEpoch = -25569;  // 1899-12-30 relative to 1970-01-01
}

double LinearFromOleDate(DATE date)
{
    if (date >= 0)
        return date;
    double day = std::ceil(date);
    return day - (date - day);
}

DATE OleDateFromLinear(double days)
{
    if (days >= 0)
        return days;
    double day = std::floor(days);
    return day + (day - days);
}

}  // namespace platform

using namespace platform;

INT SystemTimeToVariantTime(const SYSTEMTIME* time, DATE* date)
{
    if (!time || !date || !IsValidDate(*time, 100, 9999) || !IsValidTimeOfDay(*time))
        return FALSE;
    double day = static_cast<double>(DaysFromCivil(time->wYear, time->wMonth, time->wDay) - kOleEpoch);
    double fraction = (time->wHour * 3600.0 + time->wMinute * 60.0 + time->wSecond) / 86400.0;
    *date = day >= 0 ? day + fraction : day - fraction;
    return TRUE;
}

INT VariantTimeToSystemTime(DATE date, LPSYSTEMTIME time)
{
    if (!time || !(date >= OLE_DATE_MIN && date <= OLE_DATE_MAX))
        return FALSE;
    double day = std::trunc(date);
    std::int64_t seconds = std::llround(std::fabs(date - day) * 86400.0);
    std::int64_t dayNumber = static_cast<std::int64_t>(day) + kOleEpoch;
    if (seconds >= 86400) {
        seconds -= 86400;
        ++dayNumber;
    }
    SYSTEMTIME st{};
    UtcSecondsToSystemTime(dayNumber * 86400 + seconds, st);
    if (st.wYear > 9999)
        return FALSE;
    *time = st;
    return TRUE;
}
