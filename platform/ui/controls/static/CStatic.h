#pragma once
// The static control: text, or a bitmap picture (SS_BITMAP, its text "#id"
// naming a registered bitmap). With SS_NOTIFY a tap sends STN_CLICKED. The
// parent picks font and colours in WM_CTLCOLORSTATIC each time it paints.
// The behaviour is the "Static" class's (StaticProc); this class sends messages.

#include "platform/ui/CWnd.h"
#include "platform/ui/CommCtrl.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff);
    // The static does not own a bitmap set here; it returns the one it showed.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HBITMAP GetBitmap() const;
};
