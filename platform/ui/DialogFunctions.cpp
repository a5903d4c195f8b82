// The classic dialog functions: keyboard handling, unit mapping, ending.

#include "platform/ui/CDialog.h"
#include "platform/ui/CommCtrl.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    platform::Window* w = platform::LookupWindow(hDlg);
    if (!w || !lpRect || w->baseUnits.cx == 0)
        return FALSE;
    *lpRect = platform::DialogToPixels(*lpRect, platform::DialogBaseUnits{w->baseUnits.cx, w->baseUnits.cy});
    return TRUE;
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult)
{
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(hDlg));
    if (!dialog)
        return FALSE;
    dialog->EndDialog(static_cast<int>(nResult));
    return TRUE;
}

void platform::FocusDialogControl(HWND control)
{
    if (!::IsWindow(control))
        return;
    if (::SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessage(control, EM_SETSEL, 0, -1);
    ::SetFocus(control);
}

namespace {

void PressButton(HWND hDlg, int id, HWND button)
{
    if (button && !::IsWindowEnabled(button)) {
        ::MessageBeep(0);
        return;
    }
    ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace

BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !::IsWindow(hDlg) || (lpMsg->hwnd != hDlg && !::IsChild(hDlg, lpMsg->hwnd)))
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN)
        return FALSE;
    const UINT code = static_cast<UINT>(
        ::SendMessage(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return FALSE;
    switch (lpMsg->wParam) {
    case VK_RETURN: {
        if (lpMsg->hwnd != hDlg && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
            PressButton(hDlg, ::GetDlgCtrlID(lpMsg->hwnd), lpMsg->hwnd);
            return TRUE;
        }
        const DWORD def = static_cast<DWORD>(::SendMessage(hDlg, DM_GETDEFID, 0, 0));
        const int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
        PressButton(hDlg, id, ::GetDlgItem(hDlg, id));
        return TRUE;
    }
    case VK_ESCAPE:
        PressButton(hDlg, IDCANCEL, ::GetDlgItem(hDlg, IDCANCEL));
        return TRUE;
    case VK_TAB: {
        if (code & DLGC_WANTTAB)
            return FALSE;
        CWnd* dialog = CWnd::FromHandle(hDlg);
        CWnd* focus = CWnd::FromHandle(::GetFocus());
        const BOOL back = (::GetKeyState(VK_SHIFT) & 0x8000) ? TRUE : FALSE;
        if (CWnd* next = dialog ? dialog->GetNextDlgTabItem(focus, back) : nullptr)
            platform::FocusDialogControl(next->m_hWnd);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
