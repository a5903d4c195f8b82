#include "owebook/views/Formatting.h"

#include "platform/core/Locale.h"
#include "platform/core/Time.h"

int FormatDateTime(DWORD time, CString& text)
{
    SYSTEMTIME local{};
    Time32ToLocalSystemTime(time, &local);

    WCHAR date[100];
    if (GetDateFormatW(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 100) == 0) {
        text.Empty();
        return 0;
    }
    text = date;

    // The time always in the locale's own format, whatever the user chose.
    WCHAR clock[100];
    if (GetTimeFormatW(LOCALE_SYSTEM_DEFAULT, LOCALE_NOUSEROVERRIDE, &local, nullptr, clock, 100) == 0)
        return 0;
    text += u' ';
    text += clock;
    return text.GetLength();
}
