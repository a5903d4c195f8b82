#pragma once
// Dialogs from templates, modal (DoModal) or modeless (Create).
//
// A top-level dialog fills the screen below the caption strip, whose "ok"
// sends IDOK; m_bFullScreen = FALSE keeps the template's size, centred. While a
// modal dialog runs, its owner is disabled and inactive; DoModal returns the
// code given to EndDialog, or -1 when the dialog could not be made or a
// WM_QUIT ended its loop (the quit then goes on to the enclosing loops).
// Enter presses the default button (the focused push button, else the
// template's BS_DEFPUSHBUTTON / DM_SETDEFID, else IDOK); Escape and closing the
// desktop window send IDCANCEL.

#include "platform/ui/CWnd.h"

namespace platform {
struct DialogTemplate;

// Moves the focus to a dialog's control as the dialog manager does on Tab, on
// the dialog's start and on GotoDlgCtrl: a field that asks for it
// (DLGC_HASSETSEL) has its whole text selected first, so typing replaces it.
void FocusDialogControl(HWND control);
}

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // A template held by the caller (it must outlive the call).
    BOOL CreateIndirect(const platform::DialogTemplate& dialog, CWnd* pParentWnd = nullptr);
    INT_PTR DoModalIndirect(const platform::DialogTemplate& dialog);

    void EndDialog(int nResult);
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bFullScreen = TRUE;
    BOOL m_bCaptionOk = TRUE;   // top-level: "ok" in the caption strip
    UINT m_nIDHelp = 0;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    HWND OwnerForModal() const;
    BOOL CreateFromTemplate(const platform::DialogTemplate& dialog, CWnd* pParentWnd, bool modal);
    INT_PTR RunModal(const platform::DialogTemplate* dialog);

    int m_nModalResult = -1;
    bool m_bEnded = false;
    bool m_bModal = false;
    UINT m_nDefID = 0;
    const platform::DialogTemplate* m_pTemplate = nullptr;

    DECLARE_MESSAGE_MAP()
};
