#pragma once
// The locale's date and time formats, as the handheld's locale functions give
// them. The locale is the process's (LANG, LC_ALL, LC_TIME) unless a test or
// the platform picks one; LCIDs are accepted but all mean that one locale.

#include "platform/core/CString.h"
#include "platform/core/Types.h"

using LCID = DWORD;

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x800;
constexpr LCID LOCALE_USER_DEFAULT = 0x400;
constexpr DWORD LOCALE_NOUSEROVERRIDE = 0x80000000u;

constexpr DWORD DATE_SHORTDATE = 0x1;
constexpr DWORD DATE_LONGDATE = 0x2;
constexpr DWORD TIME_NOMINUTESORSECONDS = 0x1;
constexpr DWORD TIME_NOSECONDS = 0x2;
constexpr DWORD TIME_NOTIMEMARKER = 0x4;
constexpr DWORD TIME_FORCE24HOURFORMAT = 0x8;

constexpr ULONG VAR_TIMEVALUEONLY = 0x1;
constexpr ULONG VAR_DATEVALUEONLY = 0x2;

// The number of characters written, terminating zero included; with `cch` 0
// the number needed. 0 on failure, with GetLastError: ERROR_INVALID_PARAMETER
// (no calendar date / time of day, bad buffer), ERROR_INVALID_FLAGS,
// ERROR_INSUFFICIENT_BUFFER. A null SYSTEMTIME means now.
// Without a picture the date is the short date (or the long one) and the time
// the locale's default format, both with the user's overrides unless
// LOCALE_NOUSEROVERRIDE is given.
int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCWSTR picture, LPWSTR buffer, int cch);
int GetTimeFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR picture, LPWSTR buffer, int cch);

// Reads a date, a time, or a date, blanks and a time, as the formats above
// write them (also the ISO form yyyy-MM-dd HH:mm:ss) into an OLE date. A text
// with only a time gives that time on day 0. S_OK, DISP_E_TYPEMISMATCH when
// the text is no date, E_INVALIDARG for null pointers.
HRESULT VarDateFromStr(LPCWSTR text, LCID locale, ULONG flags, DATE* date);

namespace platform {

// "de_DE", "en_US", "C"; null or empty goes back to the process's locale.
void SetLocaleName(const char* name);
std::string GetLocaleName();

// The user's overrides of the short date and the time format, as pictures
// ("dd.MM.yyyy", "HH:mm"); null or empty removes the override.
void SetUserShortDateFormat(LPCWSTR picture);
void SetUserTimeFormat(LPCWSTR picture);

// The pictures in force, for the date-time controls.
CString GetShortDatePicture(bool userOverride = true);
CString GetLongDatePicture();
CString GetTimePicture(bool userOverride = true);

}  // namespace platform
