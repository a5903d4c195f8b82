#include "platform/ui/controls/datetime/DateTimeProc.h"

#include "platform/core/Time.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/datetime/DateTimeDefs.h"
#include "platform/ui/controls/datetime/DateTimeWidget.h"

namespace platform {
namespace {

struct DateTimePicker {
    explicit DateTimePicker(HWND h) : hwnd(h), state(GetControlData<DateTimeState>(h))
    {
        if (Window* w = LookupWindow(h))
            widget = dynamic_cast<DateTimeWidget*>(w->widget.data());
    }
    bool Valid() const { return state && widget; }
    bool ShowsNone() const { return (::GetWindowLong(hwnd, GWL_STYLE) & DTS_SHOWNONE) != 0; }

    HWND hwnd;
    DateTimeState* state;
    DateTimeWidget* widget = nullptr;
};

// The value as the picker keeps it: whole seconds, the day of week filled in.
SYSTEMTIME Normalised(SYSTEMTIME t)
{
    t.wMilliseconds = 0;
    const std::int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
    t.wDayOfWeek = static_cast<WORD>(((days % 7) + 11) % 7);   // 1970-01-01 was a Thursday
    return t;
}

LRESULT OnGetSystemTime(DateTimePicker& p, WPARAM, LPARAM lParam)
{
    auto* out = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (!out)
        return static_cast<LRESULT>(static_cast<int>(GDT_ERROR));
    if (!p.state->hasValue)
        return GDT_NONE;
    *out = p.state->value;
    return GDT_VALID;
}

LRESULT OnSetSystemTime(DateTimePicker& p, WPARAM wParam, LPARAM lParam)
{
    if (wParam == GDT_NONE) {
        if (!p.ShowsNone())
            return FALSE;
        p.state->hasValue = false;
    } else if (wParam == GDT_VALID) {
        const auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
        if (!in || !DateTimeInRange(*p.state, *in))
            return FALSE;
        p.state->value = Normalised(*in);
        p.state->hasValue = true;
    } else {
        return FALSE;
    }
    p.widget->Refresh();
    return TRUE;
}

LRESULT OnGetRange(DateTimePicker& p, WPARAM, LPARAM lParam)
{
    auto* range = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (!range)
        return 0;
    range[0] = p.state->minimum;
    range[1] = p.state->maximum;
    return GDTR_MIN | GDTR_MAX;
}

LRESULT OnSetRange(DateTimePicker& p, WPARAM wParam, LPARAM lParam)
{
    const auto* range = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (!range)
        return FALSE;
    SYSTEMTIME minimum = p.state->minimum;
    SYSTEMTIME maximum = p.state->maximum;
    if (wParam & GDTR_MIN) {
        if (!IsValidSystemTime(&range[0]))
            return FALSE;
        minimum = range[0];
    }
    if (wParam & GDTR_MAX) {
        if (!IsValidSystemTime(&range[1]))
            return FALSE;
        maximum = range[1];
    }
    p.state->minimum = minimum;
    p.state->maximum = maximum;
    // A value outside the new range is pulled to its nearer end.
    DateTimeState probe = *p.state;
    if (!DateTimeInRange(probe, p.state->value)) {
        probe.maximum = p.state->value;
        p.state->value = Normalised(DateTimeInRange(probe, p.state->minimum) ? p.state->maximum : p.state->minimum);
    }
    p.widget->Refresh();
    return TRUE;
}

LRESULT OnGetDlgCode(DateTimePicker&, WPARAM, LPARAM) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }

const MessageHandler<DateTimePicker> kDateTimeMessages[] = {
    {DTM_GETSYSTEMTIME, OnGetSystemTime}, {DTM_SETSYSTEMTIME, OnSetSystemTime}, {DTM_GETRANGE, OnGetRange},
    {DTM_SETRANGE, OnSetRange},           {WM_GETDLGCODE, OnGetDlgCode},
};

}  // namespace

LRESULT DateTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kDateTimeMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
