#pragma once
// The state of one data exchange between a window's members and its controls.
// The DDX_ and DDV_ functions (the framework's) take it; a failed validation
// tells the user, then calls Fail, which puts the focus back on the control and
// ends the exchange (UpdateData returns FALSE).

#include "platform/ui/WinUser.h"

class CWnd;

// Thrown by CDataExchange::Fail; UpdateData catches it.
class CUserException {};

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control's handle; a missing control fails the exchange.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();

    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Attaches `rControl` to the template's control nIDC the first time round, so
// that its message map and behaviour see the control's messages.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
