#pragma once
// Text, change and notification helpers shared by the standard controls.

#include "platform/core/TextCopy.h"
#include "platform/core/Types.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

#include <QString>

#include <algorithm>

namespace platform {

inline QString FromWide(LPCWSTR text) { return text ? QString::fromUtf16(text) : QString(); }

// Copies as much of the text as fits with its terminating zero; the length copied.
inline LRESULT CopyText(const QString& text, LPWSTR buffer, int max)
{
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    return static_cast<LRESULT>(CopyText(view, buffer, max > 0 ? static_cast<std::size_t>(max) : 0));
}

// Runs a change made by code; while `depth` is raised the widget's own signals
// are not taken for the user's doing.
template <class F>
auto ChangeByCode(int& depth, F&& change)
{
    ++depth;
    auto result = change();
    --depth;
    return result;
}

// Sends a control notification (WM_COMMAND) to the window's parent.
inline void NotifyParent(HWND hwnd, UINT code)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->parent || w->destroying)
        return;
    ::SendMessage(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace platform
