#include "owebook/views/SortListCtrl.h"

#include "platform/gdi/CDC.h"
#include "platform/ui/WinApi.h"

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY(HDN_TRACKW, 0, OnHeaderTrack)
    ON_NOTIFY(HDN_ENDTRACKW, 0, OnHeaderEndTrack)
    ON_NOTIFY(HDN_DIVIDERDBLCLICKW, 0, OnDividerDblClick)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
constexpr WCHAR NO_ITEMS_TEXT[] = u"No items to display.";
}

CSortListCtrl::CSortListCtrl()
    : m_nSortColumn(-1), m_bAscending(TRUE), m_nMinLastWidth(20), m_nAvailWidth(234), m_nLastWidth(0)
{
}

CSortListCtrl::~CSortListCtrl() = default;

void CSortListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    if (CHeaderCtrl* header = GetHeaderCtrl(); header && header != &m_header)
        m_header.SubclassWindow(header->m_hWnd);
}

int CSortListCtrl::GetColumnCount() const
{
    const CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

int CSortListCtrl::SumOfColumnsButLast() const
{
    int sum = 0;
    for (int c = 0; c < GetColumnCount() - 1; ++c)
        sum += GetColumnWidth(c);
    return sum;
}

void CSortListCtrl::FitLastColumn(int nMinWidth, int nAvailWidth)
{
    m_nMinLastWidth = nMinWidth;
    if (nAvailWidth == -1) {
        CRect client;
        GetClientRect(&client);
        nAvailWidth = client.Width();
    }
    m_nAvailWidth = nAvailWidth;
    const int columns = GetColumnCount();
    if (columns == 0)
        return;
    m_nLastWidth = m_nAvailWidth - SumOfColumnsButLast();
    SetColumnWidth(columns - 1, static_cast<SHORT>(m_nLastWidth));
}

void CSortListCtrl::SortItems(int nColumn, BOOL bAscending)
{
    m_nSortColumn = nColumn;
    m_bAscending = bAscending;
    m_header.ShowSortMark(nColumn, bAscending);

    // The comparison reads the texts as they were before the sort, by index.
    const int rows = GetItemCount();
    m_sortTexts.clear();
    m_sortTexts.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i)
        m_sortTexts.push_back(GetItemText(i, nColumn));
    CListCtrl::SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(this));
    m_sortTexts.clear();

    for (int i = 0; i < rows; ++i)
        SetItemData(i, MakeRowData(RowKeyOf(GetItemData(i)), static_cast<DWORD>(i)));
}

int CSortListCtrl::CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    auto* self = reinterpret_cast<CSortListCtrl*>(lParamSort);
    const auto d1 = static_cast<DWORD_PTR>(lParam1);
    const auto d2 = static_cast<DWORD_PTR>(lParam2);
    return self->CompareItems(static_cast<int>(RowIndexOf(d1)), static_cast<int>(RowIndexOf(d2)), RowKeyOf(d1),
                              RowKeyOf(d2));
}

const CString& CSortListCtrl::SortText(int nIndex) const
{
    static const CString none;
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_sortTexts.size())
        return none;
    return m_sortTexts[static_cast<std::size_t>(nIndex)];
}

int CSortListCtrl::CompareItems(int nIndex1, int nIndex2, DWORD, DWORD)
{
    const int order = SortText(nIndex1).Compare(SortText(nIndex2));
    return m_bAscending ? order : -order;
}

int CSortListCtrl::InsertItemWithKey(DWORD nKey, int nIndex, LPCWSTR lpszText)
{
    const int row = InsertItem(nIndex, lpszText);
    if (row < 0)
        return -1;
    SetItemData(row, MakeRowData(nKey, static_cast<DWORD>(row)));
    return row;
}

int CSortListCtrl::InsertItemNoKey(int nIndex, LPCWSTR lpszText) { return InsertItemWithKey(ROW_NO_KEY, nIndex, lpszText); }

DWORD CSortListCtrl::GetItemKey(int nRow) const { return RowKeyOf(GetItemData(nRow)); }

void CSortListCtrl::ClearSelection()
{
    const int mark = GetSelectionMark();
    if (mark >= 0)
        SetItemState(mark, 0, LVIS_SELECTED);
}

int CSortListCtrl::FindItemByText(LPCWSTR lpszText, int nStart) const
{
    LVFINDINFO info{};
    info.flags = LVFI_STRING;
    info.psz = lpszText;
    return FindItem(&info, nStart);
}

void CSortListCtrl::DeleteAllColumns()
{
    for (int n = GetColumnCount(); n > 0; --n)
        DeleteColumn(0);
}

void CSortListCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int column = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    SortItems(column, column != m_nSortColumn ? TRUE : !m_bAscending);
    *pResult = 0;
}

void CSortListCtrl::OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* nm = reinterpret_cast<NMHEADER*>(pNMHDR);
    const int last = GetColumnCount() - 1;
    if (nm->iItem == last) {
        *pResult = 1;   // the last column's divider stays where it is
        return;
    }
    *pResult = 0;
    CRect client;
    GetClientRect(&client);
    m_nAvailWidth = client.Width();
    if (!nm->pitem)
        return;
    int& proposed = nm->pitem->cxy;
    if (proposed < m_nMinLastWidth)
        proposed = m_nMinLastWidth;
    const int used = SumOfColumnsButLast() - GetColumnWidth(nm->iItem) + proposed;
    m_nLastWidth = m_nAvailWidth - used;
    if (m_nLastWidth < m_nMinLastWidth) {
        proposed -= m_nMinLastWidth - m_nLastWidth;
        m_nLastWidth = m_nMinLastWidth;
    }
}

void CSortListCtrl::OnHeaderEndTrack(NMHDR*, LRESULT* pResult)
{
    const int last = GetColumnCount() - 1;
    if (last >= 0)
        SetColumnWidth(last, m_nLastWidth);
    *pResult = 0;
}

// A double tap on a divider must not fit the column to its texts.
void CSortListCtrl::OnDividerDblClick(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CSortListCtrl::OnPaint()
{
    const HWND self = m_hWnd;
    Default();
    if (!::IsWindow(self) || GetItemCount() > 0)
        return;
    CDC* dc = GetDC();
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    CRect target;
    GetClientRect(&target);
    CRect headerItem;
    if (CHeaderCtrl* header = GetHeaderCtrl(); header && header->GetItemRect(0, &headerItem))
        target.top += headerItem.bottom;
    target.top += 10;
    dc->FillSolidRect(&target, RGB(255, 255, 255));
    dc->DrawText(NO_ITEMS_TEXT, -1, &target, DT_CENTER | DT_WORDBREAK | DT_NOCLIP | DT_NOPREFIX);
    dc->RestoreDC(saved);
    ReleaseDC(dc);
}
