#pragma once
// The program's pictures, drawn in one style: flat shapes in a few inks on a
// pale disc of the picture's own colour, the way the modes are told apart.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>

namespace ink {
inline const QColor kWhite(255, 255, 255);
inline const QColor kNavy(0x1f, 0x3a, 0x73);        // the book, the wallet, hands of clocks
inline const QColor kNavyDark(0x16, 0x2b, 0x57);
inline const QColor kNavyLight(0x3a, 0x5e, 0xa8);
inline const QColor kGold(0xf4, 0xb6, 0x3f);        // coins
inline const QColor kGoldDark(0xc9, 0x8a, 0x12);
inline const QColor kGoldLight(0xff, 0xde, 0x8a);
inline const QColor kPaper(0xfb, 0xf7, 0xec);
inline const QColor kRuling(0xb7, 0xc2, 0xd6);
inline const QColor kNote(0x7c, 0xc1, 0x91);
inline const QColor kNoteDark(0x4a, 0x95, 0x64);
inline const QColor kGrey(0xc8, 0xcf, 0xdb);
inline const QColor kText(0x5c, 0x6b, 0x84);

// One colour per mode: what I owe goes out (red), what is owed comes in
// (green), what is due (blue), everything (violet).
inline const QColor kOwe(0xe0, 0x4f, 0x32);
inline const QColor kOwed(0x1f, 0x9d, 0x63);
inline const QColor kDue(0x35, 0x76, 0xd2);
inline const QColor kAll(0x70, 0x55, 0xc4);
inline const QColor kOweBack(0xfd, 0xe9, 0xe2);
inline const QColor kOwedBack(0xdf, 0xf3, 0xe8);
inline const QColor kDueBack(0xe2, 0xed, 0xfb);
inline const QColor kAllBack(0xed, 0xe7, 0xfb);
}  // namespace ink

// A white picture of that size with a painter that smooths its edges.
QImage Canvas(int width, int height);
void Smooth(QPainter& p);

void DrawCoin(QPainter& p, QPointF centre, double radius);
// The program's mark: a ledger with a coin, drawn in a 64 x 64 box.
void DrawMark(QPainter& p);

QImage DrawWhatIOwe();
QImage DrawOwedToMe();
QImage DrawWhatsDue();
QImage DrawAllItems();
QImage DrawAboutLogo();
QImage DrawReminder();
QImage DrawRule();
QImage DrawIcon(int size);
