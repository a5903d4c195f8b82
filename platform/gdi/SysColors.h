#pragma once
// The handheld's system colours.

#include "platform/gdi/GdiTypes.h"

// Accepts the plain index and the index with SYS_COLOR_INDEX_FLAG set.
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
