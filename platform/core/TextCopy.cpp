#include "platform/core/TextCopy.h"

#include <algorithm>

namespace platform {

std::size_t CopyText(std::u16string_view text, WCHAR* buffer, std::size_t capacity)
{
    if (!buffer || capacity == 0)
        return 0;
    const std::size_t n = std::min(text.size(), capacity - 1);
    std::copy_n(text.data(), n, buffer);
    buffer[n] = 0;
    return n;
}

}  // namespace platform
