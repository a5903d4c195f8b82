#include "platform/gdi/GdiObject.h"

#include "platform/gdi/FontMapper.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/SysColors.h"

#include <array>
#include <cstring>

namespace platform {
namespace {

HandleTable<GdiObject>& Table()
{
    static auto* table = new HandleTable<GdiObject>;   // never destroyed: handles may be used during exit
    return *table;
}

std::uintptr_t Value(HGDIOBJ handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::unique_ptr<GdiObject> MakeStock(int index)
{
    auto object = std::make_unique<GdiObject>();
    object->stock = true;
    switch (index) {
    case WHITE_BRUSH: object->color = RGB(255, 255, 255); break;
    case LTGRAY_BRUSH: object->color = RGB(192, 192, 192); break;
    case GRAY_BRUSH: object->color = RGB(128, 128, 128); break;
    case DKGRAY_BRUSH: object->color = RGB(64, 64, 64); break;
    case BLACK_BRUSH: object->color = RGB(0, 0, 0); break;
    case NULL_BRUSH: object->hollow = true; break;
    case WHITE_PEN: object->kind = GdiKind::Pen; object->color = RGB(255, 255, 255); break;
    case BLACK_PEN: object->kind = GdiKind::Pen; object->color = RGB(0, 0, 0); break;
    case NULL_PEN: object->kind = GdiKind::Pen; object->hollow = true; break;
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        object->kind = GdiKind::Font;
        object->logFont = DefaultLogFont();
        object->font = FontFromLogFont(object->logFont);
        break;
    default: return nullptr;
    }
    return object;
}

}  // namespace

HGDIOBJ AddGdiObject(std::unique_ptr<GdiObject> object)
{
    std::uintptr_t value = Table().Add(object.get());
    if (value == 0)
        return nullptr;
    object.release();
    return reinterpret_cast<HGDIOBJ>(value);
}

GdiObject* LookupGdiObject(HGDIOBJ handle) { return Table().Get(Value(handle)); }

GdiObject* LookupGdiObject(HGDIOBJ handle, GdiKind kind)
{
    GdiObject* object = LookupGdiObject(handle);
    return (object && object->kind == kind) ? object : nullptr;
}

BOOL DeleteGdiObject(HGDIOBJ handle)
{
    GdiObject* object = LookupGdiObject(handle);
    if (!object || object->stock)
        return FALSE;
    delete Table().Remove(Value(handle));
    return TRUE;
}

HGDIOBJ StockObject(int index)
{
    static std::array<HGDIOBJ, 18> stock{};
    if (index < 0 || index >= static_cast<int>(stock.size()))
        return nullptr;
    if (!stock[index]) {
        auto object = MakeStock(index);
        if (object)
            stock[index] = AddGdiObject(std::move(object));
    }
    return stock[index];
}

QColor ToQColor(COLORREF color)
{
    if (color & SYS_COLOR_INDEX_FLAG)
        color = ::GetSysColor(static_cast<int>(color & 0xFF));
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF FromQColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

}  // namespace platform

using namespace platform;

HGDIOBJ GetStockObject(int index) { return StockObject(index); }

BOOL DeleteObject(HGDIOBJ object) { return DeleteGdiObject(object); }

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Brush;
    object->color = color;
    return AddGdiObject(std::move(object));
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Pen;
    object->penStyle = style;
    object->hollow = (style == PS_NULL);
    object->penWidth = width < 1 ? 1 : width;
    object->color = color;
    return AddGdiObject(std::move(object));
}

HFONT CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return nullptr;
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Font;
    object->logFont = *logFont;
    object->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
    object->font = FontFromLogFont(object->logFont);
    return AddGdiObject(std::move(object));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    auto object = std::make_unique<GdiObject>();
    object->kind = GdiKind::Region;
    object->rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    return AddGdiObject(std::move(object));
}

int GetObject(HGDIOBJ handle, int size, LPVOID buffer)
{
    GdiObject* object = LookupGdiObject(handle);
    if (!object)
        return 0;
    switch (object->kind) {
    case GdiKind::Font:
        if (!buffer)
            return sizeof(LOGFONT);
        if (size < static_cast<int>(sizeof(LOGFONT)))
            return 0;
        std::memcpy(buffer, &object->logFont, sizeof(LOGFONT));
        return sizeof(LOGFONT);
    case GdiKind::Bitmap: {
        if (!buffer)
            return sizeof(BITMAP);
        if (size < static_cast<int>(sizeof(BITMAP)))
            return 0;
        BITMAP bm{};
        bm.bmWidth = object->image.width();
        bm.bmHeight = object->image.height();
        bm.bmPlanes = 1;
        bm.bmBitsPixel = 32;
        bm.bmWidthBytes = bm.bmWidth * 4;
        std::memcpy(buffer, &bm, sizeof(BITMAP));
        return sizeof(BITMAP);
    }
    default:
        return 0;
    }
}
