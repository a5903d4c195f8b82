#pragma once
// A list view's header as a window of its own (id 0 under the list), so the
// program can reach it through GetHeaderCtrl or GetDlgItem(0) and attach an
// object to it. The behaviour is the "SysHeader32" class's (HeaderProc);
// this class sends messages. Items with HDF_OWNERDRAW are drawn by DrawItem
// of the object attached to the header, when the list hands WM_DRAWITEM on.

#include "platform/ui/CWnd.h"
#include "platform/ui/CommCtrl.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);

    // Draws an owner-drawn item; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
