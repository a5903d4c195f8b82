#pragma once
// Names of databases, registry keys and values match without regard to
// letter case; this is the form they are compared in.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Unicode simple case folding; unpaired surrogates stay as they are.
std::u16string FoldName(std::u16string_view name);

// UTF-16 code units as little-endian bytes, the way names are kept.
std::vector<std::uint8_t> NameBytes(std::u16string_view name);
std::u16string NameFromBytes(const std::uint8_t* bytes, std::size_t size);

}  // namespace platform
