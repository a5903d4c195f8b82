#pragma once
// An opaque place in one of the framework's lists (templates, documents, views).

#include <cstddef>

struct PositionTag_;
using POSITION = PositionTag_*;

namespace platform {

// Index i is stored as i + 1 so that the first place is not null.
inline POSITION PositionFromIndex(std::size_t index) { return reinterpret_cast<POSITION>(index + 1); }
inline std::size_t IndexFromPosition(POSITION pos) { return reinterpret_cast<std::size_t>(pos) - 1; }

}  // namespace platform
