#pragma once
// A command-state query: who handles ON_UPDATE_COMMAND_UI says whether the
// command is enabled, checked, and what its text is. Menus and bars derive
// from it to apply the answers to their items.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCWSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks `pTarget`; with no update handler and bDisableIfNoHandler, the
    // command is enabled exactly when some handler for it exists.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    // What the handlers said.
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
    BOOL m_bTextChanged = FALSE;
    CString m_strText;
};
