// The four pictures of the home screen, 105 x 95 pixels each.

#include "Art.h"

#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace {

constexpr int kWidth = 105;
constexpr int kHeight = 95;

// A white picture; the drawings are laid out around (52.5, 48.5), one row
// below the picture's middle.
void HomeCanvas(QPainter& p, QImage& image)
{
    image = Canvas(kWidth, kHeight);
    p.begin(&image);
    Smooth(p);
    p.translate(0, -1);
}

void Backdrop(QPainter& p, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(52.5, 48.5), 41, 41);
}

// A round badge with a white arrow: out of the wallet, or into it.
void ArrowBadge(QPainter& p, QPointF centre, const QColor& colour, bool outwards)
{
    p.setPen(QPen(ink::kWhite, 2.5));
    p.setBrush(colour);
    p.drawEllipse(centre, 13, 13);
    const double d = 5.0;
    QPointF tail = centre + QPointF(-d, d), head = centre + QPointF(d, -d);
    if (!outwards)
        std::swap(tail, head);
    QPen arrow(ink::kWhite, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(arrow);
    p.setBrush(Qt::NoBrush);
    p.drawLine(tail, head);
    // The head: two strokes back from the tip, along the axes.
    const double sx = head.x() > tail.x() ? -1 : 1, sy = head.y() > tail.y() ? -1 : 1;
    QPainterPath tip;
    tip.moveTo(head + QPointF(sx * 7, 0));
    tip.lineTo(head);
    tip.lineTo(head + QPointF(0, sy * 7));
    p.drawPath(tip);
}

void DrawNote(QPainter& p)
{
    // The note behind, tilted out of the wallet.
    p.save();
    p.translate(37, 38);
    p.rotate(-8);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kNoteDark);
    p.drawRoundedRect(QRectF(-21, -13, 42, 26), 3, 3);
    p.setBrush(ink::kNote);
    p.drawRoundedRect(QRectF(-19.5, -11.5, 39, 23), 2, 2);
    p.setBrush(ink::kNoteDark);
    p.drawEllipse(QPointF(0, -3), 5, 5);
    p.restore();
}

void DrawWallet(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kNavy);
    p.drawRoundedRect(QRectF(14, 42, 64, 40), 8, 8);
    // The upper rim of the pocket.
    p.setBrush(ink::kNavyLight);
    p.drawRoundedRect(QRectF(14, 42, 64, 9), 4, 4);
    p.setBrush(ink::kNavy);
    p.drawRect(QRectF(14, 47, 64, 4));
    // The flap with its snap.
    p.setBrush(ink::kNavyDark);
    p.drawRoundedRect(QRectF(55, 55, 29, 19), 6, 6);
    p.setBrush(ink::kNavyLight);
    p.drawRoundedRect(QRectF(55, 55, 29, 17), 6, 6);
    p.setBrush(ink::kGold);
    p.drawEllipse(QPointF(76.5, 63.5), 3.5, 3.5);
}

// Short strokes behind a moving coin, along `direction` (pointing away from it).
void Motion(QPainter& p, QPointF coin, QPointF direction, const QColor& colour)
{
    const double length = std::hypot(direction.x(), direction.y());
    const QPointF u = direction / length, n(-u.y(), u.x());
    p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int i = -1; i <= 1; ++i) {
        const QPointF start = coin + u * (15.0 - std::abs(i) * 1.5) + n * (i * 6.0);
        p.drawLine(start, start + u * (i == 0 ? 8.0 : 5.0));
    }
}

QImage MoneyPicture(bool outwards)
{
    QImage image;
    QPainter p;
    HomeCanvas(p, image);
    p.translate(-2, 0);   // the badge reaches out to the right: centre the whole
    const QColor accent = outwards ? ink::kOwe : ink::kOwed;
    Backdrop(p, outwards ? ink::kOweBack : ink::kOwedBack);
    DrawNote(p);
    // Leaving, the coin flies off with its trail pointing back at the wallet;
    // arriving, it drops into the wallet, the trail above it.
    if (outwards) {
        DrawWallet(p);
        const QPointF coin(80, 22);
        Motion(p, coin, QPointF(-1, 1), accent);
        DrawCoin(p, coin, 11.5);
    } else {
        const QPointF coin(64, 34);
        Motion(p, coin, QPointF(0.5, -1), accent);
        DrawCoin(p, coin, 11.5);
        DrawWallet(p);
    }
    ArrowBadge(p, QPointF(86, 78), accent, outwards);
    return image;
}

}  // namespace

QImage DrawWhatIOwe() { return MoneyPicture(true); }

QImage DrawOwedToMe() { return MoneyPicture(false); }

QImage DrawWhatsDue()
{
    QImage image;
    QPainter p;
    HomeCanvas(p, image);
    Backdrop(p, ink::kDueBack);

    // A calendar page with one day marked.
    const QRectF page(13, 17, 60, 62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb9, 0xc8, 0xdf));
    p.drawRoundedRect(page.adjusted(0, 1.5, 0, 1.5), 6, 6);
    p.setBrush(ink::kWhite);
    p.drawRoundedRect(page, 6, 6);
    QPainterPath header;
    header.addRoundedRect(QRectF(page.left(), page.top(), page.width(), 17), 6, 6);
    header.addRect(QRectF(page.left(), page.top() + 10, page.width(), 7));
    p.setBrush(ink::kDue);
    p.drawPath(header.simplified());
    p.setBrush(ink::kNavy);
    for (double x : {27.0, 59.0})
        p.drawRoundedRect(QRectF(x - 2.5, 12, 5, 11), 2.5, 2.5);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const QRectF day(19 + col * 12.5, 40 + row * 11.5, 8, 7);
            const bool marked = row == 1 && col == 1;
            p.setBrush(marked ? ink::kOwe : QColor(0xdc, 0xe3, 0xee));
            p.drawRoundedRect(marked ? day.adjusted(-1.5, -1.5, 1.5, 1.5) : day, 2, 2);
        }

    // A clock in front of the page's corner.
    const QPointF c(73, 66);
    p.setPen(QPen(ink::kWhite, 3));
    p.setBrush(ink::kNavy);
    p.drawEllipse(c, 21, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kWhite);
    p.drawEllipse(c, 15.5, 15.5);
    p.setPen(QPen(ink::kRuling, 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; i += 3) {
        const double a = i * M_PI / 6;
        const QPointF u(std::sin(a), -std::cos(a));
        p.drawLine(c + u * 12.5, c + u * 14.0);
    }
    p.setPen(QPen(ink::kNavy, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c, c + QPointF(0, -10.5));
    p.drawLine(c, c + QPointF(-7, 3.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kOwe);
    p.drawEllipse(c, 2.8, 2.8);
    return image;
}

QImage DrawAllItems()
{
    QImage image;
    QPainter p;
    HomeCanvas(p, image);
    Backdrop(p, ink::kAllBack);

    // A clipboard holding a list; each row's dot in one mode's colour.
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kAll);
    p.drawRoundedRect(QRectF(25, 13, 55, 74), 7, 7);
    p.setBrush(ink::kWhite);
    p.drawRoundedRect(QRectF(30.5, 21, 44, 60), 3, 3);
    p.setBrush(ink::kNavy);
    p.drawRoundedRect(QRectF(40, 8, 25, 11), 4, 4);
    p.setBrush(ink::kAll);
    p.drawEllipse(QPointF(52.5, 11.5), 2.3, 2.3);

    const QColor dots[] = {ink::kOwe, ink::kOwed, ink::kDue, ink::kGold};
    const double lengths[] = {22, 18, 24, 15};
    for (int row = 0; row < 4; ++row) {
        const double y = 32 + row * 13;
        p.setPen(Qt::NoPen);
        p.setBrush(dots[row]);
        p.drawEllipse(QPointF(38.5, y), 3.6, 3.6);
        p.setPen(QPen(ink::kGrey, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(46.5, y), QPointF(46.5 + lengths[row], y));
    }
    return image;
}
