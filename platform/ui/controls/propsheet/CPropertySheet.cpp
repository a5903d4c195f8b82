#include "platform/ui/controls/propsheet/CPropertySheet.h"

#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/propsheet/CPropertyPage.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

namespace {

constexpr int kTabStripHeight = 22;
constexpr UINT kTabStripId = 0x3020;

}  // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_nStartPage(iSelectPage)
{
    m_pParentWnd = pParentWnd;
    platform::LookupString(nIDCaption, m_strCaption);
}

CPropertySheet::CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption ? pszCaption : u""), m_nStartPage(iSelectPage)
{
    m_pParentWnd = pParentWnd;
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd)
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage)
        return;
    m_pages.push_back(pPage);
    if (m_hWndTabs) {
        const CString title = pPage->GetTitle();
        TCITEM item{TCIF_TEXT, 0, 0, const_cast<LPWSTR>(title.GetString()), 0, 0, 0};
        ::SendMessage(m_hWndTabs, TCM_INSERTITEM, m_pages.size() - 1, reinterpret_cast<LPARAM>(&item));
    }
}

int CPropertySheet::GetPageCount() const { return static_cast<int>(m_pages.size()); }

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<std::size_t>(nPage)] : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_nActive); }

int CPropertySheet::GetActiveIndex() const { return m_nActive; }

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty())
        return -1;
    m_sheetTemplate = platform::DialogTemplate(0, m_strCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 160, 200,
                                               u"Tahoma", 9);
    m_nActive = -1;
    m_hWndTabs = nullptr;
    const INT_PTR result = DoModalIndirect(m_sheetTemplate);
    m_hWndTabs = nullptr;
    m_nActive = -1;
    return result;
}

BOOL CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    const int top = client.bottom - platform::kCommandBarHeight - kTabStripHeight;
    m_hWndTabs = ::CreateWindowEx(0, WC_TABCONTROL, u"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 0, top, client.right,
                                  kTabStripHeight, m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kTabStripId)), nullptr, nullptr);
    if (!m_hWndTabs)
        return FALSE;
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        const CString title = m_pages[i]->GetTitle();
        TCITEM item{TCIF_TEXT, 0, 0, const_cast<LPWSTR>(title.GetString()), 0, 0, 0};
        ::SendMessage(m_hWndTabs, TCM_INSERTITEM, i, reinterpret_cast<LPARAM>(&item));
    }
    const int start = m_nStartPage < m_pages.size() ? static_cast<int>(m_nStartPage) : 0;
    const HWND self = m_hWnd;
    if (!ShowPage(start) && ::IsWindow(self) && !m_bEnded)
        ShowPage(0);
    // The focus goes to the page's first field, not to the strip.
    if (CPropertyPage* page = GetActivePage(); page && ::IsWindow(self))
        if (CWnd* first = page->GetNextDlgTabItem(nullptr))
            platform::FocusDialogControl(first->m_hWnd);
    return FALSE;
}

LRESULT CPropertySheet::NotifyPage(CPropertyPage* pPage, UINT code)
{
    if (!pPage || !pPage->m_hWnd)
        return 0;
    NMHDR hdr{m_hWnd, 0, code};
    return ::SendMessage(pPage->m_hWnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
}

void CPropertySheet::LayoutPage(CPropertyPage* pPage)
{
    // Pages reach down to the screen's bottom, so that a page's command bar
    // docks below the tabs; the strip stays above them.
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(pPage->m_hWnd, 0, 0, client.right, client.bottom, FALSE);
    if (m_hWndTabs)
        ::SetWindowPos(m_hWndTabs, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return FALSE;
    const HWND self = m_hWnd;
    if (!page->m_hWnd) {
        if (!page->CreatePage(this))
            return FALSE;
        if (!::IsWindow(self) || m_bEnded)
            return FALSE;
        LayoutPage(page);
    }
    if (NotifyPage(page, PSN_SETACTIVE) != 0 || !::IsWindow(self) || m_bEnded)
        return FALSE;
    CPropertyPage* old = GetActivePage();
    m_nActive = nPage;
    if (m_hWndTabs)
        ::SendMessage(m_hWndTabs, TCM_SETCURSEL, static_cast<WPARAM>(nPage), 0);
    ::ShowWindow(page->m_hWnd, SW_SHOW);
    if (old && old != page && old->m_hWnd)
        ::ShowWindow(old->m_hWnd, SW_HIDE);
    if (m_hWndTabs)
        ::SetWindowPos(m_hWndTabs, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (!m_hWnd)
        return FALSE;
    if (nPage == m_nActive)
        return GetPage(nPage) != nullptr;
    if (!GetPage(nPage))
        return FALSE;
    const HWND self = m_hWnd;
    if (NotifyPage(GetActivePage(), PSN_KILLACTIVE) != 0 || !::IsWindow(self) || m_bEnded)
        return FALSE;
    return ShowPage(nPage);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (!hdr || hdr->hwndFrom != m_hWndTabs || !m_hWndTabs)
        return CDialog::OnNotify(wParam, lParam, pResult);
    if (hdr->code == TCN_SELCHANGING) {
        // The strip changes only when the current page lets go.
        *pResult = NotifyPage(GetActivePage(), PSN_KILLACTIVE) != 0 ? TRUE : FALSE;
        return TRUE;
    }
    if (hdr->code == TCN_SELCHANGE) {
        const int wanted = static_cast<int>(::SendMessage(m_hWndTabs, TCM_GETCURSEL, 0, 0));
        const HWND self = m_hWnd;
        if (!ShowPage(wanted) && ::IsWindow(self) && m_hWndTabs)
            ::SendMessage(m_hWndTabs, TCM_SETCURSEL, static_cast<WPARAM>(m_nActive), 0);
        *pResult = 0;
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

void CPropertySheet::OnOK()
{
    const HWND self = m_hWnd;
    if (NotifyPage(GetActivePage(), PSN_KILLACTIVE) != 0 || !::IsWindow(self) || m_bEnded)
        return;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[static_cast<std::size_t>(i)];
        if (!page->m_hWnd)
            continue;
        const LRESULT answer = NotifyPage(page, PSN_APPLY);
        if (!::IsWindow(self) || m_bEnded)
            return;
        if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) {
            if (i != m_nActive)
                ShowPage(i);
            return;
        }
    }
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    const HWND self = m_hWnd;
    for (CPropertyPage* page : m_pages) {
        if (page->m_hWnd)
            NotifyPage(page, PSN_RESET);
        if (!::IsWindow(self))
            return;
    }
    if (!m_bEnded)
        EndDialog(IDCANCEL);
}
