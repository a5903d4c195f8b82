#pragma once
// Messages, notifications and styles of the date-time picker
// (DATETIMEPICK_CLASS; the DTS_ styles are in WinUser.h).

#include "platform/ui/WinUser.h"

// The handheld's picker style that offers a None button in the drop-down
// calendar. Accepted and kept; the check box of DTS_SHOWNONE is how a picker
// here holds no date.
constexpr DWORD DTS_NONEBUTTON = 0x0080;

constexpr UINT DTM_FIRST = 0x1000;
constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;
constexpr UINT DTM_GETRANGE = DTM_FIRST + 3;
constexpr UINT DTM_SETRANGE = DTM_FIRST + 4;

constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;

constexpr UINT DTN_FIRST = static_cast<UINT>(-760);
constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST + 1;

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags;   // GDT_VALID or GDT_NONE
    SYSTEMTIME st;   // the new value when GDT_VALID
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;
