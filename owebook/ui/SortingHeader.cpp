#include "owebook/ui/SortingHeader.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CPen.h"
#include "platform/gdi/CRgn.h"
#include "platform/gdi/SysColors.h"

CSortingHeader::CSortingHeader() : m_nSortColumn(-1), m_bAscending(TRUE) {}

CSortingHeader::~CSortingHeader() = default;

void CSortingHeader::ShowSortMark(int column, BOOL bAscending)
{
    m_bAscending = bAscending;
    m_nSortColumn = column;
    if (column >= 0) {
        // Once drawn by us, always: the flag is never taken away again.
        HDITEM item{};
        item.mask = HDI_FORMAT;
        if (GetItem(column, &item)) {
            item.fmt |= HDF_OWNERDRAW;
            SetItem(column, &item);
        }
    }
    Invalidate(TRUE);
}

void CSortingHeader::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct)
        return;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    const int saved = dc.SaveDC();

    const CRect item(lpDrawItemStruct->rcItem);
    CRgn clip;
    clip.CreateRectRgnIndirect(&item);
    dc.SelectClipRgn(&clip);

    CBrush face(GetSysColor(SYS_COLOR_INDEX_FLAG | COLOR_BTNFACE));
    dc.FillRect(&item, &face);

    WCHAR text[256] = {};
    HDITEM hd{};
    hd.mask = HDI_TEXT | HDI_FORMAT;
    hd.pszText = text;
    hd.cchTextMax = 255;
    GetItem(static_cast<int>(lpDrawItemStruct->itemID), &hd);

    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (hd.fmt & HDF_CENTER)
        format |= DT_CENTER;
    else if (hd.fmt & HDF_RIGHT)
        format |= DT_RIGHT;

    CRect textRect = item;
    if (lpDrawItemStruct->itemState == ODS_SELECTED) {
        // Pressed: the text moves, the mark stays.
        textRect.left += 1;
        textRect.top += 2;
        textRect.right += 1;
    }
    const int d = (item.bottom - item.top) / 4;
    const bool marked = static_cast<int>(lpDrawItemStruct->itemID) == m_nSortColumn;
    if (marked)
        textRect.right -= 3 * d;
    textRect.left += d;
    textRect.right -= d;
    if (textRect.left < textRect.right)
        dc.DrawText(text, -1, &textRect, format);

    if (marked)
        DrawMark(dc, item, d);

    dc.RestoreDC(saved);
    dc.Detach();
}

void CSortingHeader::DrawMark(CDC& dc, const CRect& item, int d) const
{
    CPen light(PS_SOLID, 1, GetSysColor(SYS_COLOR_INDEX_FLAG | COLOR_BTNHIGHLIGHT));
    CPen shadow(PS_SOLID, 1, GetSysColor(SYS_COLOR_INDEX_FLAG | COLOR_BTNSHADOW));
    const int r = item.right;
    const int b = item.bottom;
    CPen* previous = dc.SelectObject(&light);
    if (m_bAscending) {
        dc.MoveTo(r - 2 * d, d);
        dc.LineTo(r - d, b - d - 1);
        dc.LineTo(r - 3 * d - 2, b - d - 1);
        dc.SelectObject(&shadow);
        dc.MoveTo(r - 3 * d - 1, b - d - 1);
        dc.LineTo(r - 2 * d, d - 1);
    } else {
        dc.MoveTo(r - d - 1, d);
        dc.LineTo(r - 2 * d - 1, b - d);
        dc.SelectObject(&shadow);
        dc.MoveTo(r - 2 * d - 2, b - d);
        dc.LineTo(r - 3 * d - 1, d);
        dc.LineTo(r - d - 1, d);
    }
    dc.SelectObject(previous);
}
