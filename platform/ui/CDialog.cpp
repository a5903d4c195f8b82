#include "platform/ui/CDialog.h"

#include "platform/ui/DialogBuilder.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/ModalHooks.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

UINT TemplateDefaultButton(HWND hDlg)
{
    platform::Window* w = platform::LookupWindow(hDlg);
    if (!w)
        return IDOK;
    for (HWND c : w->children)
        if (platform::Window* child = platform::LookupWindow(c);
            child && child->className.CompareNoCase(WC_BUTTON) == 0 &&
            (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return static_cast<WORD>(child->id);
    return IDOK;
}

HWND FirstTabStop(HWND hDlg)
{
    CWnd* dlg = CWnd::FromHandle(hDlg);
    CWnd* first = dlg ? dlg->GetNextDlgTabItem(nullptr) : nullptr;
    return first ? first->m_hWnd : nullptr;
}

}  // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

HWND CDialog::OwnerForModal() const
{
    HWND owner = m_pParentWnd ? platform::TopLevelOf(m_pParentWnd->m_hWnd) : nullptr;
    if (!owner)
        owner = ::GetActiveWindow();
    return owner;
}

BOOL CDialog::CreateFromTemplate(const platform::DialogTemplate& dialog, CWnd* pParentWnd, bool modal)
{
    if (m_hWnd)
        return FALSE;
    platform::DialogPlacement placement;
    placement.parent = modal ? OwnerForModal() : (pParentWnd ? pParentWnd->m_hWnd : nullptr);
    placement.fullScreen = m_bFullScreen != FALSE;
    placement.captionOk = m_bCaptionOk != FALSE;
    m_pTemplate = &dialog;
    m_nDefID = 0;
    m_bEnded = false;
    m_nModalResult = -1;
    if (!platform::CreateDialogFromTemplate(dialog, this, placement))
        return FALSE;
    if (modal)
        if (platform::Window* w = platform::LookupWindow(m_hWnd); w && w->frame)
            w->frame->setWindowModality(Qt::ApplicationModal);
    const HWND self = m_hWnd;
    const HWND focus = FirstTabStop(self);
    const LRESULT wantsFocus = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), 0);
    if (!::IsWindow(self))
        return FALSE;
    if (wantsFocus && !m_bEnded && ::IsWindow(focus))
        platform::FocusDialogControl(focus);
    if (!modal && (dialog.style & WS_VISIBLE))
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    const platform::DialogTemplate* dialog = platform::FindDialogTemplate(nIDTemplate);
    if (!dialog)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(*dialog, pParentWnd, false);
}

BOOL CDialog::CreateIndirect(const platform::DialogTemplate& dialog, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(dialog, pParentWnd, false);
}

INT_PTR CDialog::DoModal() { return RunModal(platform::FindDialogTemplate(m_nIDTemplate)); }

INT_PTR CDialog::DoModalIndirect(const platform::DialogTemplate& dialog) { return RunModal(&dialog); }

INT_PTR CDialog::RunModal(const platform::DialogTemplate* dialog)
{
    if (!dialog || m_hWnd)
        return -1;
    const HWND owner = OwnerForModal();
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    m_bModal = true;
    if (!CreateFromTemplate(*dialog, m_pParentWnd, true)) {
        m_bModal = false;
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return m_bEnded ? m_nModalResult : -1;
    }
    const HWND self = m_hWnd;
    if (!m_bEnded) {
        ShowWindow(SW_SHOW);
        if (::IsWindow(self) && !::GetFocus())
            ::SetFocus(self);
        if (::IsWindow(self) && !m_bEnded)
            platform::NotifyModalShown(self);
        // This object may not be touched once its window is gone: a handler
        // may have deleted it with the window.
        platform::MessageLoop::RunModal([this, self] { return !::IsWindow(self) || m_bEnded; });
    }
    if (!::IsWindow(self)) {
        if (disableOwner)
            ::EnableWindow(owner, TRUE);
        return -1;
    }
    m_bModal = false;
    const INT_PTR result = m_bEnded && !platform::MessageLoop::QuitPending() ? m_nModalResult : -1;
    ::SetWindowPos(self, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (::IsWindow(owner) && ::GetActiveWindow() == self)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return result;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (m_bModal)
        platform::MessageLoop::Wake();
    else if (m_hWnd)
        ShowWindow(SW_HIDE);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    if (m_pTemplate)
        platform::ApplyDialogInit(m_hWnd, *m_pTemplate);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }

void CDialog::NextDlgCtrl() const
{
    if (CWnd* next = GetNextDlgTabItem(CWnd::GetFocus(), FALSE))
        platform::FocusDialogControl(next->m_hWnd);
}

void CDialog::PrevDlgCtrl() const
{
    if (CWnd* prev = GetNextDlgTabItem(CWnd::GetFocus(), TRUE))
        platform::FocusDialogControl(prev->m_hWnd);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        platform::FocusDialogControl(pWndCtrl->m_hWnd);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return IsDialogMessage(pMsg);
    return FALSE;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE: {
        HWND cancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (cancel && !::IsWindowEnabled(cancel)) {
            ::MessageBeep(0);
            return 0;
        }
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID:
        return MAKELONG(m_nDefID ? m_nDefID : TemplateDefaultButton(m_hWnd), DC_HASDEFID);
    case DM_SETDEFID: {
        const UINT old = m_nDefID ? m_nDefID : TemplateDefaultButton(m_hWnd);
        m_nDefID = static_cast<UINT>(wParam);
        if (old != m_nDefID) {
            if (HWND before = ::GetDlgItem(m_hWnd, static_cast<int>(old)))
                if ((::GetWindowLong(before, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    ::SendMessage(before, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
            if (HWND after = ::GetDlgItem(m_hWnd, static_cast<int>(m_nDefID)))
                if ((::GetWindowLong(after, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON)
                    ::SendMessage(after, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
        }
        return TRUE;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
