#pragma once
// The program's pictures as compiled in: BMP files drawn at build time by
// tools/pictures (one style for all: flat inks on a pale disc of the
// picture's colour).

#include "platform/core/Types.h"

#include <cstddef>
#include <span>

struct PictureResource {
    UINT nId;
    const BYTE* pData;   // a whole BMP file
    std::size_t nSize;
};

std::span<const PictureResource> GetPictureResources();
