#pragma once
// Platform side of pens, brushes, fonts, bitmaps and regions, behind their handles.

#include "platform/gdi/GdiTypes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

#include <memory>

namespace platform {

enum class GdiKind { Brush, Pen, Font, Bitmap, Region };

struct GdiObject {
    GdiKind kind = GdiKind::Brush;
    bool stock = false;        // stock objects are never deleted
    COLORREF color = 0;        // brush and pen colour, as given (may be a system colour)
    bool hollow = false;       // null brush or null pen
    int penWidth = 1;
    int penStyle = PS_SOLID;
    LOGFONT logFont{};
    QFont font;
    QImage image;              // bitmap pixels
    QRect rect;                // region: rectangles only
};

// Takes ownership; returns 0 when the handle table is full.
HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object);
GdiObject* LookupGdiObject(HGDIOBJ handle);
GdiObject* LookupGdiObject(HGDIOBJ handle, GdiKind kind);
BOOL DeleteGdiObject(HGDIOBJ handle);

HGDIOBJ StockObject(int index);

// Resolves a COLORREF, including the system-colour form (0x40000000 | index).
QColor ToQColor(COLORREF color);
COLORREF FromQColor(const QColor& color);

}  // namespace platform

// The classic functions.
HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF color);
HPEN CreatePen(int style, int width, COLORREF color);
HFONT CreateFontIndirect(const LOGFONT* logFont);
HRGN CreateRectRgn(int left, int top, int right, int bottom);
int GetObject(HGDIOBJ object, int size, LPVOID buffer);
