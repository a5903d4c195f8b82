#pragma once
// A report list that sorts by the tapped column and shows it in its header,
// keeps its last column filling the list, limits divider drags, and says
// "No items to display." while it has no rows.
//
// A row's item data holds its key in the high 32 bits and its index as of
// the last insertion or sort in the low 32 bits.

#include "owebook/ui/SortingHeader.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <vector>

constexpr DWORD ROW_NO_KEY = 0xFFFFFFFF;

inline DWORD_PTR MakeRowData(DWORD key, DWORD index) { return (static_cast<DWORD_PTR>(key) << 32) | index; }
inline DWORD RowKeyOf(DWORD_PTR data) { return static_cast<DWORD>(data >> 32); }
inline DWORD RowIndexOf(DWORD_PTR data) { return static_cast<DWORD>(data & 0xFFFFFFFF); }

class CSortListCtrl : public CListCtrl {
public:
    CSortListCtrl();
    ~CSortListCtrl() override;

    // The last column gets what the others leave of nAvailWidth (-1: the
    // client width).
    virtual void FitLastColumn(int nMinWidth, int nAvailWidth);
    virtual void SortItems(int nColumn, BOOL bAscending);
    virtual int InsertItemWithKey(DWORD nKey, int nIndex, LPCWSTR lpszText);
    virtual int InsertItemNoKey(int nIndex, LPCWSTR lpszText);
    virtual DWORD GetItemKey(int nRow) const;
    // Rows by their index and key as of before the sort; <0, 0, >0.
    virtual int CompareItems(int nIndex1, int nIndex2, DWORD nKey1, DWORD nKey2);

    void ClearSelection();
    int FindItemByText(LPCWSTR lpszText, int nStart = -1) const;
    void DeleteAllColumns();
    int GetColumnCount() const;

    CSortingHeader m_header;
    int m_nSortColumn;
    BOOL m_bAscending;
    int m_nMinLastWidth;
    int m_nAvailWidth;
    int m_nLastWidth;

protected:
    void PreSubclassWindow() override;
    // The sort column's text of the row that had this index when the sort began.
    const CString& SortText(int nIndex) const;

    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHeaderEndTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDividerDblClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    static int CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    int SumOfColumnsButLast() const;

    std::vector<CString> m_sortTexts;   // only while sorting
};
