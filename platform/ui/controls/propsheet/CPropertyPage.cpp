#include "platform/ui/controls/propsheet/CPropertyPage.h"

#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
    ON_COMMAND(IDOK, OnSheetOk)
    ON_COMMAND(IDCANCEL, OnSheetCancel)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption)
{
    m_bFullScreen = FALSE;
    m_bCaptionOk = FALSE;
}

CPropertyPage::~CPropertyPage()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::EndSheet(int nResult)
{
    if (HWND sheet = ::GetParent(m_hWnd))
        ::EndDialog(sheet, nResult);
}

void CPropertyPage::OnSheetOk()
{
    if (HWND sheet = ::GetParent(m_hWnd))
        ::PostMessage(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CPropertyPage::OnSheetCancel()
{
    if (HWND sheet = ::GetParent(m_hWnd))
        ::SendMessage(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

CString CPropertyPage::GetTitle() const
{
    CString title;
    if (m_nIDCaption && platform::LookupString(m_nIDCaption, title))
        return title;
    if (const platform::DialogTemplate* dialog = platform::FindDialogTemplate(m_nIDTemplate))
        return dialog->caption;
    return title;
}

BOOL CPropertyPage::CreatePage(CWnd* pSheet)
{
    if (m_hWnd)
        return TRUE;
    const platform::DialogTemplate* dialog = platform::FindDialogTemplate(m_nIDTemplate);
    if (!dialog || !pSheet)
        return FALSE;
    // A page is a control of its sheet whatever frame its template asks for.
    m_pPageTemplate = std::make_unique<platform::DialogTemplate>(*dialog);
    m_pPageTemplate->style = (dialog->style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)) |
                             WS_CHILD | DS_CONTROL;
    m_bFirstSetActive = true;
    return CreateIndirect(*m_pPageTemplate, pSheet);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    if (!hdr || hdr->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (hdr->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) && pMsg->wParam == VK_ESCAPE)
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}
