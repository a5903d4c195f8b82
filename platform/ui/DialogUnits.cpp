#include "platform/ui/DialogUnits.h"

#include "platform/gdi/FontMapper.h"
#include "platform/ui/qt/Screen.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>

namespace platform {

DialogBaseUnits BaseUnitsForFont(const CString& face, int pointSize)
{
    EnsureApplication();
    if (pointSize <= 0)
        pointSize = 9;
    const LOGFONT lf = MakeLogFont(QString::fromUtf16(face.GetString(), face.GetLength()), PointsToLogHeight(pointSize));
    const QFontMetrics fm(FontFromLogFont(lf));
    const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The handheld rounds the average to the nearest pixel. Tahoma's stand-in
    // runs some 7% wider than Tahoma from 10 points up, which would widen a
    // unit by a whole pixel there (8 instead of 7: a 155-unit dialog 40 pixels
    // wider than the screen). Rounded down instead (the last quarter pixel
    // still rounds up), its average gives Tahoma's own 6, 7 and 7 pixels at 8,
    // 9 and 10 points.
    return DialogBaseUnits{std::max(1, (width * 4 / 52 + 1) / 4), fm.height()};
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long quotient = std::llabs(product) + std::llabs(static_cast<long long>(c)) / 2;
    quotient /= std::llabs(static_cast<long long>(c));
    const bool negative = (product < 0) != (c < 0);
    return static_cast<int>(negative ? -quotient : quotient);
}

RECT DialogToPixels(const RECT& units, DialogBaseUnits base)
{
    return RECT{MulDiv(units.left, base.cx, 4), MulDiv(units.top, base.cy, 8), MulDiv(units.right, base.cx, 4),
                MulDiv(units.bottom, base.cy, 8)};
}

}  // namespace platform

namespace platform {

RECT ItemToPixels(int x, int y, int cx, int cy, DialogBaseUnits base)
{
    const int left = MulDiv(x, base.cx, 4);
    const int top = MulDiv(y, base.cy, 8);
    return RECT{left, top, left + MulDiv(cx, base.cx, 4), top + MulDiv(cy, base.cy, 8)};
}

}  // namespace platform
