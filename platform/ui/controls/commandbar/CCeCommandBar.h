#pragma once
// The command bar as a window object (the functions and what the bar does are
// in platform/ui/controls/commandbar/CommandBar.h). Its state lives with the window, so any
// object attached to the bar behaves as the bar.
//
//   m_cmdBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR);
//   m_cmdBar.InsertMenuBar(143);
//   m_cmdBar.AddAdornments(0);
//   m_cmdBar.SendMessage(TB_SETTOOLTIPS, 6, reinterpret_cast<LPARAM>(tips));
//   m_cmdBar.SetBarStyle(m_cmdBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);

#include "platform/ui/CWnd.h"

class CMenu;

class CCeCommandBar : public CWnd {
    DECLARE_DYNAMIC(CCeCommandBar)
public:
    CCeCommandBar() = default;

    // The style's CBRS_ bits become the bar style; the bar goes to the bottom
    // of the parent's client area whatever its alignment says.
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // The bar's menu (it belongs to the bar), or null when there is no such
    // menu bar or menu.
    CMenu* InsertMenuBar(UINT nMenuID, int nButton = 0);
    CMenu* GetMenu() const;
    BOOL AddAdornments(DWORD dwFlags = 0);
    // A push button with text that sends nCommand to the parent.
    BOOL AddButton(LPCWSTR lpszText, UINT nCommand, int nIndex = -1);

    DWORD GetBarStyle() const;
    void SetBarStyle(DWORD dwStyle);
    int GetHeight() const;
    BOOL Show(BOOL bShow);
    BOOL IsVisible() const;
};
