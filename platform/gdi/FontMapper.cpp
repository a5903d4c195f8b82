#include "platform/gdi/FontMapper.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace platform {

QString MapFontFamily(const QString& face)
{
    const QString f = face.trimmed().toLower();
    if (f.contains(u"courier") || f.contains(u"mono"))
        return QStringLiteral("Liberation Mono");
    if (f.contains(u"times") || (f.contains(u"serif") && !f.contains(u"sans")))
        return QStringLiteral("Liberation Serif");
    return QStringLiteral("Liberation Sans");
}

LONG PointsToLogHeight(int points)
{
    // MulDiv(points, 96, 72), rounded half away from zero.
    return -static_cast<LONG>(std::lround(points * kLogPixelsY / 72.0));
}

LOGFONT MakeLogFont(const QString& face, LONG height, LONG weight)
{
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfPitchAndFamily = FF_SWISS;
    const QString name = face.left(LF_FACESIZE - 1);
    for (int i = 0; i < name.size(); ++i)
        lf.lfFaceName[i] = static_cast<WCHAR>(name.at(i).unicode());
    return lf;
}

LOGFONT DefaultLogFont() { return MakeLogFont(QStringLiteral("Tahoma"), PointsToLogHeight(9)); }

QFont FontFromLogFont(const LOGFONT& lf)
{
    int faceLength = 0;
    while (faceLength < LF_FACESIZE && lf.lfFaceName[faceLength])
        ++faceLength;
    QString face = QString::fromUtf16(lf.lfFaceName, faceLength);
    if (face.isEmpty())
        face = (lf.lfPitchAndFamily & 0xF0) == FF_ROMAN ? QStringLiteral("Times") : QStringLiteral("Tahoma");

    QFont font(MapFontFamily(face));
    font.setStyleStrategy(QFont::PreferDefault);
    font.setHintingPreference(QFont::PreferFullHinting);
    LONG height = lf.lfHeight;
    if (height == 0)
        height = PointsToLogHeight(9);
    if (height < 0) {
        font.setPixelSize(static_cast<int>(-height));
    } else {
        // Cell height: scale the em so that ascent + descent comes out at `height`.
        font.setPixelSize(static_cast<int>(height));
        const int cell = QFontMetrics(font).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(height) * height / cell))));
    }
    if (lf.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(lf.lfWeight, 100, 900)));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

}  // namespace platform
