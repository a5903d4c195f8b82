#pragma once
// A modal property sheet: a full-screen dialog with the caption strip's "ok",
// its pages one above the other and a tab strip at the bottom, as on the
// handheld (the bottom command-bar strip stays free for a page's menu bar).
//
//   CPropertySheet sheet(65008, pView);
//   sheet.AddPage(&general);          // in tab order; the caller owns them
//   sheet.AddPage(&dates);
//   const INT_PTR result = sheet.DoModal();
//
// A page's window is made the first time it is shown. Turning to another tab
// first asks the current page (PSN_KILLACTIVE), which may refuse. The
// caption's "ok" asks the current page to let go, then applies every page made
// so far (PSN_APPLY, in order); a page that refuses is shown and the sheet
// stays. DoModal returns IDOK then; IDCANCEL after the sheet's cancel
// (Escape, the desktop's close button), which resets every page first; or the
// code a page gave to EndSheet.

#include "platform/ui/CDialog.h"
#include "platform/ui/DialogTemplate.h"

#include <vector>

class CPropertyPage;

class CPropertySheet : public CDialog {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Turns to page nPage as a tap on its tab would; FALSE when the current
    // page refused to be left or the page could not be made.
    BOOL SetActivePage(int nPage);
    // The tab strip window (null before the sheet runs).
    HWND GetTabControl() const { return m_hWndTabs; }

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;

protected:
    // Sends a PSN_ notification to a page; its answer.
    LRESULT NotifyPage(CPropertyPage* pPage, UINT code);
    BOOL ShowPage(int nPage);
    void LayoutPage(CPropertyPage* pPage);

    std::vector<CPropertyPage*> m_pages;
    int m_nActive = -1;
    UINT m_nStartPage;
    HWND m_hWndTabs = nullptr;
    platform::DialogTemplate m_sheetTemplate;
};
