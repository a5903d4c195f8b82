#pragma once
// Text and change helpers shared by the Qt-backed standard controls.

#include "platform/core/TextCopy.h"
#include "platform/core/Types.h"

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

}  // namespace platform
