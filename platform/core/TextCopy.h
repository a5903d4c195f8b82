#pragma once
// The one bounded copy of text into a caller's buffer, as every "get text"
// call of the handheld makes it: as much as fits, always ended with a zero.

#include "platform/core/Types.h"

#include <cstddef>
#include <string_view>

namespace platform {

// Copies the start of `text` into `buffer` (room for `capacity` code units,
// the terminating zero included). Returns the number of code units copied
// before the zero; 0, and nothing written, when there is no buffer or no room.
std::size_t CopyText(std::u16string_view text, WCHAR* buffer, std::size_t capacity);

}  // namespace platform
