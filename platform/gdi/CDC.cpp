#include "platform/gdi/CDC.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TempObjects.h"

#include <QFontMetrics>
#include <QPainter>

using platform::DeviceContext;
using platform::GdiKind;
using platform::GdiObject;

namespace {

DeviceContext* Context(HDC hdc) { return DeviceContext::FromHandle(hdc); }

QRect ToQRect(const RECT& rc) { return QRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top); }

}  // namespace

CDC::~CDC()
{
    if (m_bOwnsDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hdc)
{
    DeviceContext* dc = Context(hdc);
    return dc ? dc->Wrapper() : nullptr;
}

BOOL CDC::Attach(HDC hdc)
{
    if (m_hDC || !Context(hdc))
        return FALSE;
    m_hDC = hdc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    m_bOwnsDC = false;
    return hdc;
}

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/)
{
    if (m_hDC)
        return FALSE;
    auto* dc = new DeviceContext(nullptr);
    dc->memory = true;
    m_hDC = dc->Handle();
    m_bOwnsDC = true;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !m_bOwnsDC)
        return FALSE;
    m_hDC = nullptr;
    m_bOwnsDC = false;
    delete dc;
    return TRUE;
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    DeviceContext* dc = Context(m_hDC);
    GdiObject* obj = platform::LookupGdiObject(object);
    if (!dc || !obj)
        return nullptr;
    HGDIOBJ old = nullptr;
    switch (obj->kind) {
    case GdiKind::Brush: old = dc->state.brush; dc->state.brush = object; break;
    case GdiKind::Pen: old = dc->state.pen; dc->state.pen = object; break;
    case GdiKind::Font: old = dc->state.font; dc->state.font = object; break;
    case GdiKind::Bitmap:
        if (!dc->memory)
            return nullptr;
        old = dc->bitmap;
        dc->SelectBitmap(object);
        break;
    case GdiKind::Region: {
        dc->state.clip = obj->rect;
        return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(SIMPLEREGION));
    }
    }
    return old;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(index)));
}

CFont* CDC::SelectObject(CFont* font) { return font ? CFont::FromHandle(SelectObject(font->m_hObject)) : nullptr; }
CBrush* CDC::SelectObject(CBrush* brush) { return brush ? CBrush::FromHandle(SelectObject(brush->m_hObject)) : nullptr; }
CPen* CDC::SelectObject(CPen* pen) { return pen ? CPen::FromHandle(SelectObject(pen->m_hObject)) : nullptr; }
CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return bitmap ? CBitmap::FromHandle(SelectObject(bitmap->m_hObject)) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    DeviceContext* dc = Context(m_hDC);
    return dc ? CFont::FromHandle(dc->state.font) : nullptr;
}

int CDC::SaveDC()
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || dc->saved.empty())
        return FALSE;
    const int count = static_cast<int>(dc->saved.size());
    const int level = savedDC < 0 ? count + 1 + savedDC : savedDC;
    if (level < 1 || level > count)
        return FALSE;
    dc->state = dc->saved[level - 1];
    dc->saved.resize(level - 1);
    return TRUE;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->state.textColor;
    dc->state.textColor = color;
    return old;
}

COLORREF CDC::GetTextColor() const
{
    DeviceContext* dc = Context(m_hDC);
    return dc ? dc->state.textColor : CLR_INVALID;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->state.bkColor;
    dc->state.bkColor = color;
    return old;
}

COLORREF CDC::GetBkColor() const
{
    DeviceContext* dc = Context(m_hDC);
    return dc ? dc->state.bkColor : CLR_INVALID;
}

int CDC::SetBkMode(int mode)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    int old = dc->state.bkMode;
    dc->state.bkMode = mode;
    return old;
}

int CDC::GetBkMode() const
{
    DeviceContext* dc = Context(m_hDC);
    return dc ? dc->state.bkMode : 0;
}

int CDC::SelectClipRgn(CRgn* region)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return ERROR;
    if (!region) {
        dc->state.clip.reset();
        return SIMPLEREGION;
    }
    GdiObject* obj = platform::LookupGdiObject(region->m_hObject, GdiKind::Region);
    if (!obj)
        return ERROR;
    dc->state.clip = obj->rect;
    return obj->rect.isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return ERROR;
    QRect rect = ToQRect(RECT{left, top, right, bottom});
    dc->state.clip = dc->state.clip ? dc->state.clip->intersected(rect) : rect;
    return dc->state.clip->isEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(LPCRECT rect)
{
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : ERROR;
}

int CDC::GetClipBox(LPRECT rect) const
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !rect)
        return ERROR;
    QRect box;
    if (dc->state.clip) {
        box = *dc->state.clip;
    } else if (QPainter* painter = dc->Painter(); painter && painter->device()) {
        box = QRect(0, 0, painter->device()->width(), painter->device()->height());
    }
    *rect = RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    return box.isEmpty() ? NULLREGION : SIMPLEREGION;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    DeviceContext* dc = Context(m_hDC);
    GdiObject* obj = brush ? platform::LookupGdiObject(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!dc || !rect || !obj || obj->hollow)
        return;
    if (QPainter* painter = dc->Prepare())
        painter->fillRect(ToQRect(*rect), platform::ToQColor(obj->color));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (rect)
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return;
    dc->state.bkColor = color;   // as the classic helper, which fills through the background colour
    if (QPainter* painter = dc->Prepare())
        painter->fillRect(QRect(x, y, cx, cy), platform::ToQColor(color));
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (!rect)
        return;
    const int x = rect->left, y = rect->top, cx = rect->right - rect->left, cy = rect->bottom - rect->top;
    COLORREF bk = GetBkColor();
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
    SetBkColor(bk);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    DeviceContext* dc = Context(m_hDC);
    GdiObject* obj = brush ? platform::LookupGdiObject(brush->m_hObject, GdiKind::Brush) : nullptr;
    if (!dc || !rect || !obj || obj->hollow)
        return;
    if (QPainter* painter = dc->Prepare()) {
        const QRect r = ToQRect(*rect);
        const QColor c = platform::ToQColor(obj->color);
        painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
        painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
        painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
    }
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return FALSE;
    QPainter* painter = dc->Prepare();
    if (!painter)
        return TRUE;
    const QRect r = ToQRect(RECT{left, top, right, bottom}).normalized();
    GdiObject* brush = platform::LookupGdiObject(dc->state.brush, GdiKind::Brush);
    GdiObject* pen = platform::LookupGdiObject(dc->state.pen, GdiKind::Pen);
    if (brush && !brush->hollow)
        painter->fillRect(r, platform::ToQColor(brush->color));
    if (pen && !pen->hollow) {
        const QColor c = platform::ToQColor(pen->color);
        const int w = pen->penWidth;
        painter->fillRect(QRect(r.left(), r.top(), r.width(), w), c);
        painter->fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
        painter->fillRect(QRect(r.left(), r.top(), w, r.height()), c);
        painter->fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), c);
    }
    return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return rect ? Rectangle(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

CPoint CDC::MoveTo(int x, int y)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return CPoint();
    CPoint old(dc->state.position.x(), dc->state.position.y());
    dc->state.position = QPoint(x, y);
    return old;
}

BOOL CDC::LineTo(int x, int y)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return FALSE;
    const QPoint from = dc->state.position;
    dc->state.position = QPoint(x, y);
    QPainter* painter = dc->Prepare();
    GdiObject* pen = platform::LookupGdiObject(dc->state.pen, GdiKind::Pen);
    if (!painter || !pen || pen->hollow || from == QPoint(x, y))
        return TRUE;
    const QColor c = platform::ToQColor(pen->color);
    const int w = pen->penWidth;
    // Whole pixels, the end point left out, as the handheld draws.
    if (from.y() == y) {
        const int len = std::abs(x - from.x());
        const int x0 = x > from.x() ? from.x() : x + 1;
        painter->fillRect(QRect(x0, y - (w - 1) / 2, len, w), c);
    } else if (from.x() == x) {
        const int len = std::abs(y - from.y());
        const int y0 = y > from.y() ? from.y() : y + 1;
        painter->fillRect(QRect(x - (w - 1) / 2, y0, w, len), c);
    } else {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(c, w));
        const double dx = x - from.x(), dy = y - from.y();
        const double len = std::max(std::abs(dx), std::abs(dy));
        painter->drawLine(QPointF(from.x() + 0.5, from.y() + 0.5),
                          QPointF(x - dx / len + 0.5, y - dy / len + 0.5));
        painter->restore();
    }
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc)
        return CLR_INVALID;
    if (QPainter* painter = dc->Prepare())
        painter->fillRect(QRect(x, y, 1, 1), platform::ToQColor(color));
    return color;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(LPCWSTR text, int count, LPRECT rect, UINT format)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !rect || !text)
        return 0;
    if (count < 0) {
        count = 0;
        while (text[count])
            ++count;
    }
    platform::TextLayout layout(QString::fromUtf16(text, count), dc->Font(), format, *rect);
    if (format & DT_CALCRECT) {
        *rect = layout.CalculatedRect();
        return layout.Height();
    }
    if (QPainter* painter = dc->Prepare()) {
        painter->save();
        if (!(format & DT_NOCLIP)) {
            const QRect clip = ToQRect(*rect);
            if (dc->state.clip)
                painter->setClipRect(dc->state.clip->intersected(clip));
            else
                painter->setClipRect(clip);
        }
        if (dc->state.bkMode == OPAQUE)
            painter->fillRect(layout.InkRect(), platform::ToQColor(dc->state.bkColor));
        painter->setPen(platform::ToQColor(dc->state.textColor));
        layout.Draw(*painter);
        painter->restore();
    }
    return layout.Height();
}

BOOL CDC::TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }

BOOL CDC::TextOut(int x, int y, LPCWSTR text, int count)
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !text || count < 0)
        return FALSE;
    if (QPainter* painter = dc->Prepare()) {
        const QString s = QString::fromUtf16(text, count);
        const QFontMetrics fm(dc->Font());
        if (dc->state.bkMode == OPAQUE)
            painter->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()),
                              platform::ToQColor(dc->state.bkColor));
        painter->setPen(platform::ToQColor(dc->state.textColor));
        painter->drawText(QPoint(x, y + fm.ascent()), s);
    }
    return TRUE;
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !text || count < 0)
        return CSize();
    const QFontMetrics fm(dc->Font());
    return CSize(fm.horizontalAdvance(QString::fromUtf16(text, count)), fm.height());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const
{
    DeviceContext* dc = Context(m_hDC);
    if (!dc || !metrics)
        return FALSE;
    const QFont font = dc->Font();
    const QFontMetrics fm(font);
    *metrics = TEXTMETRIC{};
    metrics->tmHeight = fm.height();
    metrics->tmAscent = fm.ascent();
    metrics->tmDescent = fm.descent();
    metrics->tmInternalLeading = fm.height() - font.pixelSize();
    metrics->tmExternalLeading = fm.leading();
    metrics->tmAveCharWidth = fm.averageCharWidth();
    metrics->tmMaxCharWidth = fm.maxWidth();
    metrics->tmWeight = font.weight();
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD /*rop*/)
{
    DeviceContext* dc = Context(m_hDC);
    DeviceContext* src = source ? Context(source->m_hDC) : nullptr;
    if (!dc || !src || src->canvas.isNull())
        return FALSE;
    if (QPainter* painter = dc->Prepare())
        painter->drawImage(QRect(x, y, width, height), src->canvas, QRect(xSrc, ySrc, srcWidth, srcHeight));
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY: return platform::kLogPixelsY;
    case HORZRES: return 240;
    case VERTRES: return 320;
    case BITSPIXEL: return 16;
    default: return 0;
    }
}
