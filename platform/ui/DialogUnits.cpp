#include "platform/ui/DialogUnits.h"

#include "platform/gdi/FontMapper.h"
#include "platform/ui/qt/Screen.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// Arial, Helvetica, Times and Courier have stand-ins drawn to their own widths;
// every other sans face here stands in for Tahoma, the handheld's.
bool SharesMetricsWithItsStandIn(const CString& face)
{
    const QString f = QString::fromUtf16(face.GetString(), face.GetLength()).toLower();
    return f.contains(u"arial") || f.contains(u"helvetica") || MapFontFamily(f) != QStringLiteral("Liberation Sans");
}

}  // namespace

DialogBaseUnits BaseUnitsForFont(const CString& face, int pointSize)
{
    EnsureApplication();
    if (pointSize <= 0)
        pointSize = 9;
    const LOGFONT lf = MakeLogFont(QString::fromUtf16(face.GetString(), face.GetLength()), PointsToLogHeight(pointSize));
    const QFontMetrics fm(FontFromLogFont(lf));
    const int width = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The handheld rounds the average letter to the nearest pixel. Its dialogs
    // were laid out in Tahoma, whose stand-in here runs about 6% wider (0.585
    // of the em against Tahoma's 0.55); the average is brought back to
    // Tahoma's before rounding, so that a dialog keeps the pixel size it had
    // there: 6, 7, 7 and 8 pixels at 8, 9, 10 and 11 points. Rounding the
    // stand-in's own average would give 8 at 10 points and 9 at 11, pushing a
    // 155-unit dialog 40 pixels and a 127-unit page 45 pixels past the screen.
    // Faces whose stand-in shares their metrics are measured as they are.
    const int percent = SharesMetricsWithItsStandIn(face) ? 100 : 94;
    return DialogBaseUnits{std::max(1, (width * percent + 52 * 50) / (52 * 100)), fm.height()};
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
