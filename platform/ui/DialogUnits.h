#pragma once
// Dialog units to pixels, as the handheld computes them from the dialog's font:
// a horizontal unit is a quarter of the font's average character width, a
// vertical unit an eighth of its character height. The average width is that
// of the 52 letters A-Z a-z, as the handheld measures it, but rounded down
// (DialogUnits.cpp says why).

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

namespace platform {

struct DialogBaseUnits {
    int cx = 0;   // average character width
    int cy = 0;   // character height (ascent + descent)
};

// For the template's font (mapped to an installed face, platform/gdi/FontMapper.h).
DialogBaseUnits BaseUnitsForFont(const CString& face, int pointSize);

// Rounds half away from zero, as the handheld's MulDiv; -1 when c is 0.
int MulDiv(int a, int b, int c);

// MapDialogRect: each edge separately, horizontal ones by cx / 4, vertical ones by cy / 8.
RECT DialogToPixels(const RECT& units, DialogBaseUnits base);
// A template item's place: x and width by cx / 4, y and height by cy / 8, each
// on its own, as the dialog manager places controls.
RECT ItemToPixels(int x, int y, int cx, int cy, DialogBaseUnits base);

}  // namespace platform
