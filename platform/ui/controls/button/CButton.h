#pragma once
// The button control: push and default push buttons, check boxes and radio
// buttons (the automatic kinds change state themselves; automatic radio
// buttons clear the others of their WS_GROUP group), group boxes. A click
// sends BN_CLICKED to the parent. The behaviour is the "Button" class's
// (ButtonProc); this class sends messages.

#include "platform/ui/CWnd.h"
#include "platform/ui/CommCtrl.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int GetCheck() const;
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
