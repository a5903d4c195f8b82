#pragma once
// Bitmaps compiled into the program. The program's resource tables register
// each bitmap by id, either as encoded image bytes (BMP or PNG, copied at
// registration) or as a painter that draws it at first use.

#include "platform/gdi/GdiTypes.h"

#include <cstddef>

class CDC;

namespace platform {

using BitmapPainter = void (*)(CDC& dc, int width, int height);

// Registering an id again replaces the earlier bitmap.
void RegisterBitmap(UINT id, const BYTE* data, std::size_t size);
void RegisterBitmap(UINT id, int width, int height, BitmapPainter painter);
bool HasBitmapResource(UINT id);

// A new bitmap object with the resource's pixels; the caller deletes it. Null
// when no such resource is registered or its bytes do not decode.
HBITMAP LoadBitmapResource(UINT id);
HBITMAP CreateBitmapObject(int width, int height);

}  // namespace platform
