// The mark and what is drawn from it (About picture, icon), the reminder's
// alarm clock and the one-pixel rule.

#include "Art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>

#include <cmath>

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

void Smooth(QPainter& p) { p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing); }

void DrawCoin(QPainter& p, QPointF centre, double radius)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kGoldDark);
    p.drawEllipse(centre, radius, radius);
    p.setBrush(ink::kGold);
    p.drawEllipse(centre + QPointF(0, -0.6), radius - 1.6, radius - 1.6);
    p.setPen(QPen(ink::kGoldDark, radius > 10 ? 1.6 : 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre + QPointF(0, -0.6), radius * 0.62, radius * 0.62);
    // A glint on the upper left.
    p.setPen(QPen(ink::kGoldLight, radius > 10 ? 2.0 : 1.5, Qt::SolidLine, Qt::RoundCap));
    const double r = radius - 3.6;
    p.drawArc(QRectF(centre.x() - r, centre.y() - 0.6 - r, 2 * r, 2 * r), 105 * 16, 55 * 16);
    p.restore();
}

void DrawMark(QPainter& p)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kNavy);
    p.drawRoundedRect(QRectF(6, 4, 42, 54), 5, 5);
    p.setBrush(ink::kNavyDark);
    p.drawRoundedRect(QRectF(6, 4, 9, 54), 4, 4);
    p.drawRect(QRectF(11, 4, 4, 54));
    p.setBrush(ink::kPaper);
    p.drawRoundedRect(QRectF(18, 9, 26, 44), 2, 2);
    p.setPen(QPen(ink::kRuling, 2.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(23, 18 + i * 8), QPointF(i == 3 ? 31 : 39, 18 + i * 8));
    p.restore();
    DrawCoin(p, QPointF(45, 46), 14);
}

QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    Smooth(p);
    p.scale(size / 64.0, size / 64.0);
    DrawMark(p);
    return image;
}

namespace {

QFont LogoFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoFontMerging));
    return font;
}

}  // namespace

QImage DrawAboutLogo()
{
    QImage image = Canvas(147, 60);
    QPainter p(&image);
    Smooth(p);
    p.save();
    p.translate(0, 3);
    p.scale(0.84, 0.84);
    DrawMark(p);
    p.restore();

    // The largest wordmark that fits beside the mark.
    const QString name = QStringLiteral("Owebook");
    const double left = 52, room = 147 - left - 3;
    QFont font = LogoFont(26, true);
    while (font.pixelSize() > 12 && QFontMetricsF(font).horizontalAdvance(name) > room)
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
    p.setPen(ink::kNavy);
    p.drawText(QPointF(left, 33), name);

    p.setFont(LogoFont(11, false));
    p.setPen(ink::kText);
    p.drawText(QPointF(left + 1, 49), QStringLiteral("debt ledger"));
    return image;
}

QImage DrawReminder()
{
    // The dialog shows the upper 41 of the 44 rows where its font is this
    // desktop's: the clock stands within those.
    QImage image = Canvas(56, 44);
    QPainter p(&image);
    Smooth(p);
    const QPointF c(28, 22);

    // Bells, legs and the hammer behind the body.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kGoldDark);
    for (int side : {-1, 1}) {
        p.save();
        p.translate(c + QPointF(side * 10.5, -11.5));
        p.rotate(side * 40);
        QPainterPath bell;
        bell.moveTo(-5.5, 2.5);
        bell.arcTo(QRectF(-5.5, -3, 11, 11), 180, -180);
        bell.closeSubpath();
        p.drawPath(bell);
        p.restore();
    }
    p.setPen(QPen(ink::kNavy, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-8, 12), c + QPointF(-11.5, 16.5));
    p.drawLine(c + QPointF(8, 12), c + QPointF(11.5, 16.5));
    p.drawLine(c + QPointF(0, -14), c + QPointF(0, -17));

    p.setPen(Qt::NoPen);
    p.setBrush(ink::kOwe);
    p.drawEllipse(c, 14.5, 14.5);
    p.setBrush(ink::kWhite);
    p.drawEllipse(c, 10.5, 10.5);
    p.setPen(QPen(ink::kNavy, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -7.5));
    p.drawLine(c, c + QPointF(5, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kOwe);
    p.drawEllipse(c, 1.8, 1.8);

    // It rings.
    p.setPen(QPen(ink::kOwe, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        const double x = c.x() + side * 20;
        p.drawLine(QPointF(x, c.y() - 5), QPointF(x + side * 2.5, c.y() - 7));
        p.drawLine(QPointF(x + side * 0.5, c.y() + 1), QPointF(x + side * 4, c.y() + 1));
        p.drawLine(QPointF(x, c.y() + 7), QPointF(x + side * 2.5, c.y() + 9));
    }
    return image;
}

QImage DrawRule()
{
    QImage image = Canvas(240, 1);
    image.fill(ink::kNavy);
    return image;
}
