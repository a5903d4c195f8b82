#include "platform/ui/controls/commandbar/CCeCommandBar.h"

#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"
#include "platform/ui/WinApi.h"

IMPLEMENT_DYNAMIC(CCeCommandBar, CWnd)

BOOL CCeCommandBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    platform::RegisterCommandBarClass();
    RECT client{};
    if (!pParentWnd || !::GetClientRect(pParentWnd->GetSafeHwnd(), &client))
        return FALSE;
    if (!CreateEx(0, COMMANDBAR_CLASS, u"", (dwStyle & ~CBRS_ALL) | WS_CHILD, 0,
                  client.bottom - platform::kCommandBarHeight, client.right, platform::kCommandBarHeight,
                  pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(nID))))
        return FALSE;
    platform::SetCommandBarStyle(m_hWnd, dwStyle & CBRS_ALL);
    return TRUE;
}

CMenu* CCeCommandBar::InsertMenuBar(UINT nMenuID, int nButton)
{
    if (nMenuID > 0xFFFF || nButton < 0 || nButton > 0xFFFF)
        return nullptr;
    if (!CommandBar_InsertMenubar(m_hWnd, nullptr, static_cast<WORD>(nMenuID), static_cast<WORD>(nButton)))
        return nullptr;
    return GetMenu();
}

CMenu* CCeCommandBar::GetMenu() const { return CMenu::FromHandle(CommandBar_GetMenu(m_hWnd, 0)); }

BOOL CCeCommandBar::AddAdornments(DWORD dwFlags) { return CommandBar_AddAdornments(m_hWnd, dwFlags, 0); }

BOOL CCeCommandBar::AddButton(LPCWSTR lpszText, UINT nCommand, int nIndex)
{
    return platform::AddCommandBarButton(m_hWnd, lpszText, nCommand, nIndex);
}

DWORD CCeCommandBar::GetBarStyle() const { return platform::CommandBarStyle(m_hWnd); }

void CCeCommandBar::SetBarStyle(DWORD dwStyle) { platform::SetCommandBarStyle(m_hWnd, dwStyle); }

int CCeCommandBar::GetHeight() const { return CommandBar_Height(m_hWnd); }

BOOL CCeCommandBar::Show(BOOL bShow) { return CommandBar_Show(m_hWnd, bShow); }

BOOL CCeCommandBar::IsVisible() const { return CommandBar_IsVisible(m_hWnd); }
