#pragma once
// A list's header that shows the sort column with a small 3-D triangle at the
// right end of its item: up for ascending, down for descending. It draws the
// items that have once been marked (they stay owner-drawn); the system draws
// the others.

#include "platform/ui/controls/header/CHeaderCtrl.h"

class CSortingHeader : public CHeaderCtrl {
public:
    CSortingHeader();
    ~CSortingHeader() override;

    // Marks `column` (-1: none) with the direction; before the list sorts.
    void ShowSortMark(int column, BOOL bAscending);
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int m_nSortColumn;
    BOOL m_bAscending;

private:
    void DrawMark(CDC& dc, const CRect& item, int d) const;
};
