#pragma once
// A page of a property sheet: a child dialog from a template, made the first
// time the sheet shows it. The sheet asks it through WM_NOTIFY (PSN_SETACTIVE,
// PSN_KILLACTIVE, PSN_APPLY, PSN_RESET), which reach the virtual operations
// below. Its own IDOK (Enter without a default button) is the sheet's OK; its
// IDCANCEL (a Cancel button) is the sheet's cancel, which resets every page
// (OnReset, OnCancel). A page ends the whole sheet with EndSheet.

#include "platform/ui/CDialog.h"

#include <memory>

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    // Before the page shows: TRUE lets it show. Every activation after the
    // first puts the members into the controls again.
    virtual BOOL OnSetActive();
    // Before the page is left or the sheet applies: moves the controls into
    // the members; FALSE keeps the page.
    virtual BOOL OnKillActive();
    // The sheet applies: OnOK; FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // The sheet is cancelled: OnCancel.
    virtual void OnReset();
    // The page's part of OK and Cancel: nothing here; the sheet closes.
    void OnOK() override;
    void OnCancel() override;

    // Closes the sheet holding the page; the sheet's DoModal returns nResult.
    void EndSheet(int nResult);

    // The tab's text: the caption string, else the template's caption.
    CString GetTitle() const;
    // Makes the page's window as a child of the sheet (hidden). FALSE when
    // the template is missing or the window could not be made.
    BOOL CreatePage(CWnd* pSheet);

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Escape is the sheet's: it cancels the whole sheet.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnSheetOk();
    void OnSheetCancel();
    DECLARE_MESSAGE_MAP()

    UINT m_nIDCaption;
    bool m_bFirstSetActive = true;

private:
    std::unique_ptr<platform::DialogTemplate> m_pPageTemplate;
};
