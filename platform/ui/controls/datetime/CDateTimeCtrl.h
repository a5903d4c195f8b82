#pragma once
// The date-time picker as a window object: it sends messages; the behaviour
// is the class's (DateTimeProc).

#include "platform/ui/CWnd.h"
#include "platform/ui/controls/datetime/DateTimeDefs.h"

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // GDT_VALID with the value, GDT_NONE when the picker holds none.
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const;
    // A null time means none (only with DTS_SHOWNONE); FALSE when refused.
    BOOL SetTime(const SYSTEMTIME* pTimeNew = nullptr);
    // Either end may be null: it stays.
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    DWORD GetRange(LPSYSTEMTIME pMinRange, LPSYSTEMTIME pMaxRange) const;
};
