#pragma once
// A device context: what the program draws with during WM_PAINT, owner drawing
// and WM_CTLCOLOR. Coordinates are the window's client pixels.

#include "platform/core/CString.h"
#include "platform/gdi/CRect.h"
#include "platform/gdi/GdiTypes.h"

class CGdiObject;
class CBrush;
class CPen;
class CFont;
class CBitmap;
class CRgn;

constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    HDC m_hDC = nullptr;

    static CDC* FromHandle(HDC hdc);
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL Attach(HDC hdc);
    HDC Detach();

    // A memory context for bitmaps; `pDC` may be null.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    CGdiObject* SelectStockObject(int index);
    CFont* SelectObject(CFont* font);
    CBrush* SelectObject(CBrush* brush);
    CPen* SelectObject(CPen* pen);
    CBitmap* SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CFont* GetCurrentFont() const;

    int SaveDC();
    BOOL RestoreDC(int savedDC);   // -1: the latest saved state

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;

    int SelectClipRgn(CRgn* region);   // null removes the clip
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;

    void FillRect(LPCRECT rect, CBrush* brush);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void FrameRect(LPCRECT rect, CBrush* brush);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
    BOOL LineTo(int x, int y);   // the end point is not drawn
    BOOL LineTo(POINT pt) { return LineTo(pt.x, pt.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);

    int DrawText(const CString& text, LPRECT rect, UINT format);
    int DrawText(LPCWSTR text, int count, LPRECT rect, UINT format);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL TextOut(int x, int y, LPCWSTR text, int count);
    CSize GetTextExtent(const CString& text) const;
    CSize GetTextExtent(LPCWSTR text, int count) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, DWORD rop);

    int GetDeviceCaps(int index) const;

private:
    bool m_bOwnsDC = false;
};
