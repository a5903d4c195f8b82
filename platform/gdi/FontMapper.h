#pragma once
// The handheld's fonts on this desktop.

#include "platform/gdi/GdiTypes.h"

#include <QFont>
#include <QString>

namespace platform {

// Tahoma is not installed on Linux. Liberation Sans stands in for it: at
// 8 points it gives the 6-pixel dialog base width Tahoma gives, and at 9 points
// a 138-unit form comes out at the screen's 240 pixels (7 per 4 units). DejaVu
// Sans, the other sans always installed here, runs about 6% wider.
QString MapFontFamily(const QString& face);

// Pixels per point on the handheld's screen.
constexpr int kLogPixelsY = 96;

// Point size to a LOGFONT height (negative: character height, as the handheld's
// dialog manager asks for its font).
LONG PointsToLogHeight(int points);

// Tahoma 9, the handheld's system and dialog font.
LOGFONT DefaultLogFont();
LOGFONT MakeLogFont(const QString& face, LONG height, LONG weight = FW_NORMAL);

// A negative height is the character height in pixels, a positive one the cell
// height (ascent + descent); 0 takes the default size.
QFont FontFromLogFont(const LOGFONT& logFont);

}  // namespace platform
