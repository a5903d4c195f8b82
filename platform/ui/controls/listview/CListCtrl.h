#pragma once
// A report list view: columns with text, alignment and width; items with
// sub-item texts, item data and selected / focused states; a selection mark;
// NM_CLICK to the parent after a tap has moved the selection; colours; the
// header as a child window. The behaviour is the "SysListView32" class's
// (ListViewProc); this class sends messages.

#include "platform/ui/controls/header/CHeaderCtrl.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/CommCtrl.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);

    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL SetItemState(int nItem, LVITEM* pItem);
    UINT GetItemState(int nItem, UINT nMask) const;
    int GetNextItem(int nItem, int nFlags) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    int GetSelectedCount() const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    BOOL RedrawItems(int nFirst, int nLast);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    CHeaderCtrl* GetHeaderCtrl() const;
    // Sorts by the program's comparison of item data (the callback gets each
    // item's data and dwData).
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);
};
