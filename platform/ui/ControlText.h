#pragma once
// Text and change helpers shared by the Qt-backed standard controls.

#include "platform/core/Types.h"

#include <QString>

#include <algorithm>

namespace platform {

inline QString FromWide(LPCWSTR text) { return text ? QString::fromUtf16(text) : QString(); }

// Copies as much of the text as fits with its terminating zero; the length copied.
inline LRESULT CopyText(const QString& text, LPWSTR buffer, int max)
{
    if (!buffer || max <= 0)
        return 0;
    const QString cut = text.left(max - 1);
    std::copy(cut.utf16(), cut.utf16() + cut.size(), buffer);
    buffer[cut.size()] = 0;
    return cut.size();
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
