#include "platform/ui/CWnd.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/DialogBuilder.h"
#include "platform/ui/qt/EventBridge.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <vector>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace platform::msgmap {
CWnd* WndFromHandle(WPARAM handle) { return CWnd::FromHandle(reinterpret_cast<HWND>(handle)); }
CWnd* WndFromHandle(LPARAM handle) { return CWnd::FromHandle(reinterpret_cast<HWND>(handle)); }
CDC* DcFromHandle(WPARAM hdc) { return CDC::FromHandle(reinterpret_cast<HDC>(hdc)); }
}  // namespace platform::msgmap

namespace {

bool IsCtlColor(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (platform::Window* w = platform::LookupWindow(m_hWnd); w && w->object == this)
        platform::DestroyWindowTree(m_hWnd);
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    platform::Window* w = platform::LookupWindow(hWnd);
    return w ? w->object : nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }

BOOL CWnd::Attach(HWND hWnd) { return SubclassWindow(hWnd); }

HWND CWnd::Detach() { return UnsubclassWindow(); }

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!platform::CanAttach(hWnd, this))
        return FALSE;
    if (CWnd::FromHandle(hWnd) == this)
        return TRUE;
    m_hWnd = hWnd;
    PreSubclassWindow();
    if (!::IsWindow(hWnd) || m_hWnd != hWnd) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return platform::AttachObject(hWnd, this);
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND hWnd = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWnd ? SubclassWindow(hWnd) : FALSE;
}

HWND CWnd::UnsubclassWindow() { return platform::DetachObject(this); }

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs{lpParam, nullptr, nIDorHMenu, hWndParent, nHeight, nWidth, y, x, static_cast<LONG>(dwStyle),
                    lpszWindowName, lpszClassName, dwExStyle};
    return CreateWindowFor(cs);
}

BOOL CWnd::CreateWindowFor(CREATESTRUCT& cs)
{
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return platform::CreateWindowFor(cs, this) ? TRUE : FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*cs*/) { return TRUE; }

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

// --- messages -----------------------------------------------------------------------

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep) const
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    if (!w)
        return;
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        ::SendMessage(child, message, wParam, lParam);
        if (bDeep)
            if (CWnd* c = FromHandle(child))
                c->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = m_hWnd;
    LRESULT result = 0;
    // The handlers may destroy the window, or delete this object with it:
    // nothing below touches `this` once the handle is gone.
    if (!OnWndMsg(message, wParam, lParam, &result) && ::IsWindow(self))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        if (!pNMHDR || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    const UINT lookup = IsCtlColor(message) ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(lookup, 0, 0);
    if (!entry && message == WM_DRAWITEM) {
        // An owner-drawn item is drawn by the object of the control it belongs to.
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->hwndItem && ReflectMessage(dis->hwndItem, message, wParam, lParam, &result)) {
            *pResult = TRUE;
            return TRUE;
        }
    }
    if (!entry)
        return FALSE;
    platform::MsgCall call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    if (IsCtlColor(message))
        call.nCode = static_cast<int>(message - WM_CTLCOLORMSGBOX);
    const BOOL handled = entry->pfn(this, call);
    *pResult = call.result;
    return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    return w ? ::CallWindowProc(w->proc, m_hWnd, message, wParam, lParam) : 0;
}

LRESULT CWnd::Default()
{
    const platform::MessageFrame* frame = platform::CurrentMessage(m_hWnd);
    return frame ? DefWindowProc(frame->msg.message, frame->msg.wParam, frame->msg.lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    const HWND self = m_hWnd;
    if (!hWndCtrl) {
        // A menu entry, the caption's ok or an accelerator: a command whose
        // update handler disables it is not carried out.
        CCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!::IsWindow(self))
            return TRUE;
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectMessage(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
        if (!::IsWindow(self))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const HWND self = m_hWnd;
    if (ReflectMessage(pNMHDR->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    if (!::IsWindow(self))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify,
                    nullptr);
}

BOOL CWnd::ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child ? child->OnChildNotify(message, wParam, lParam, pResult) : FALSE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT ignored = 0;
    if (!pResult)
        pResult = &ignored;
    // Reflected notifications stay with the control's own map: no routing.
    if (message == WM_COMMAND) {
        const int code = HIWORD(wParam);
        if (!CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(code, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                                    nullptr);
    }
    if (IsCtlColor(message)) {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (!entry)
            return FALSE;
        platform::MsgCall call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        call.nCode = static_cast<int>(message - WM_CTLCOLORMSGBOX);
        const BOOL handled = entry->pfn(this, call);
        if (handled)
            *pResult = call.result;
        return handled;
    }
    if (message < WM_REFLECT_BASE)
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        platform::Window* w = platform::LookupWindow(hWnd);
        if (!w)
            return FALSE;
        if (platform::WindowAccess::PreTranslateMessage(w->object, pMsg))
            return TRUE;
        if (hWnd == hWndStop || w->IsTopLevel())
            break;
    }
    return FALSE;
}

// --- relations -------------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetOwner() const
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    if (!w)
        return nullptr;
    return FromHandle(w->IsTopLevel() ? w->owner : w->parent);
}

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(platform::TopLevelOf(m_hWnd)); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLong(m_hWnd, GWL_ID, nID)); }

CWnd* CWnd::GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    if (!w)
        return nullptr;
    std::vector<HWND> stops;
    for (HWND c : w->children)
        if (platform::Window* child = platform::LookupWindow(c);
            child && (child->style & WS_TABSTOP) && (child->style & WS_VISIBLE) && child->enabled)
            stops.push_back(c);
    if (stops.empty())
        return nullptr;
    const HWND current = pWndCtl ? pWndCtl->m_hWnd : nullptr;
    auto it = std::find(stops.begin(), stops.end(), current);
    if (it == stops.end())
        return FromHandle(bPrevious ? stops.back() : stops.front());
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t i = it - stops.begin();
    i = bPrevious ? (i + n - 1) % n : (i + 1) % n;
    return FromHandle(stops[static_cast<std::size_t>(i)]);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const { return pWnd ? ::IsChild(m_hWnd, pWnd->m_hWnd) : FALSE; }

// --- state ------------------------------------------------------------------------------

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }

int CWnd::GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLength(m_hWnd);
    if (length <= 0) {
        rString.Empty();
        return;
    }
    LPWSTR buffer = rString.GetBuffer(length);
    const int copied = ::GetWindowText(m_hWnd, buffer, length + 1);
    rString.ReleaseBuffer(copied);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetDlgItemText(int nID, LPCWSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    CString text;
    if (bSigned)
        text.Format(u"%d", static_cast<int>(nValue));
    else
        text.Format(u"%u", nValue);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    CString text;
    GetDlgItemText(nID, text);
    text.Trim();
    bool ok = !text.IsEmpty();
    long long value = 0;
    bool negative = false;
    int i = 0;
    if (ok && bSigned && text.GetAt(0) == u'-') {
        negative = true;
        i = 1;
    }
    if (i >= text.GetLength())
        ok = false;
    for (; ok && i < text.GetLength(); ++i) {
        const WCHAR c = text.GetAt(i);
        if (c < u'0' || c > u'9' || value > 0xFFFFFFFFLL) {
            ok = false;
            break;
        }
        value = value * 10 + (c - u'0');
    }
    if (ok && (bSigned ? value > (negative ? 0x80000000LL : 0x7FFFFFFFLL) : value > 0xFFFFFFFFLL))
        ok = false;
    if (lpTrans)
        *lpTrans = ok ? TRUE : FALSE;
    if (!ok)
        return 0;
    return static_cast<UINT>(negative ? -value : value);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
UINT CWnd::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }

static BOOL ModifyBits(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    const DWORD old = static_cast<DWORD>(::GetWindowLong(hWnd, index));
    const DWORD bits = (old & ~dwRemove) | dwAdd;
    if (bits == old)
        return FALSE;
    ::SetWindowLong(hWnd, index, static_cast<LONG>(bits));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

// --- geometry ------------------------------------------------------------------------------

void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    if (!w)
        return;
    CRect area;
    if (w->IsTopLevel()) {
        HWND around = pAlternateOwner ? pAlternateOwner->m_hWnd : w->owner;
        if (!around || !::GetWindowRect(around, &area))
            area = platform::WorkArea();
    } else {
        ::GetClientRect(w->parent, &area);
    }
    CRect mine;
    GetWindowRect(&mine);
    int x = area.left + (area.Width() - mine.Width()) / 2;
    int y = area.top + (area.Height() - mine.Height()) / 2;
    if (w->IsTopLevel()) {
        const CRect work = platform::WorkArea();
        x = std::max<int>(work.left, std::min<int>(x, work.right - mine.Width()));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - mine.Height()));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

namespace {
// Moves a rectangle by where the origin lands under `map`.
void MapRect(HWND hWnd, LPRECT lpRect, BOOL (*map)(HWND, LPPOINT))
{
    if (!lpRect)
        return;
    POINT offset{0, 0};
    map(hWnd, &offset);
    lpRect->left += offset.x;
    lpRect->right += offset.x;
    lpRect->top += offset.y;
    lpRect->bottom += offset.y;
}
}  // namespace

void CWnd::ClientToScreen(LPRECT lpRect) const { MapRect(m_hWnd, lpRect, ::ClientToScreen); }

void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const { MapRect(m_hWnd, lpRect, ::ScreenToClient); }

void CWnd::MapWindowPoints(CWnd* pWndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pWndTo ? pWndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pWndTo, LPRECT lpRect) const
{
    if (!lpRect)
        return;
    POINT corners[2] = {{lpRect->left, lpRect->top}, {lpRect->right, lpRect->bottom}};
    ::MapWindowPoints(m_hWnd, pWndTo ? pWndTo->m_hWnd : nullptr, corners, 2);
    *lpRect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CWnd::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

// --- drawing ---------------------------------------------------------------------------------

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

void CWnd::RedrawWindow()
{
    Invalidate();
    UpdateWindow();
}

CDC* CWnd::GetDC()
{
    if (!::IsWindow(m_hWnd))
        return nullptr;
    auto* dc = new platform::DeviceContext(platform::EventBridge::PaintPainter(m_hWnd));
    return dc->Wrapper();
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC)
        return 0;
    platform::DeviceContext* dc = platform::DeviceContext::FromHandle(pDC->m_hDC);
    if (!dc || dc->Wrapper() != pDC)
        return 0;
    delete dc;
    return 1;
}

// --- focus and activation ------------------------------------------------------------------

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
CWnd* CWnd::SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
CWnd* CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (*lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// --- data exchange ----------------------------------------------------------------------------

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }

BOOL CWnd::ExecuteDlgInit(UINT nIDTemplate) { return platform::ApplyDialogInit(m_hWnd, nIDTemplate); }

// --- default handlers -----------------------------------------------------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSettingChange(UINT, LPCWSTR) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    // The control may answer for itself (ON_WM_CTLCOLOR_REFLECT).
    const platform::MessageFrame* frame = platform::CurrentMessage(m_hWnd);
    if (pWnd && frame) {
        const MSG& msg = frame->msg;
        LRESULT result = 0;
        if (ReflectMessage(pWnd->m_hWnd, msg.message, msg.wParam, msg.lParam, &result) && result)
            return reinterpret_cast<HBRUSH>(result);
    }
    return reinterpret_cast<HBRUSH>(Default());
}
