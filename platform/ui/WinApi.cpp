#include "platform/ui/WinApi.h"

#include "platform/core/TextCopy.h"
#include "platform/core/LastError.h"
#include "platform/ui/qt/CaptionStrip.h"
#include "platform/ui/qt/EventBridge.h"
#include "platform/ui/CrossProcess.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/qt/TopLevelFrame.h"
#include "platform/ui/UiState.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>

#include <map>

using platform::LookupWindow;
using platform::Window;

HWND CreateWindowEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    CREATESTRUCT cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, y, x, static_cast<LONG>(dwStyle),
                    lpWindowName, lpClassName, dwExStyle};
    return platform::CreateWindowFor(cs, nullptr);
}

BOOL DestroyWindow(HWND hWnd) { return platform::DestroyWindowTree(hWnd); }

BOOL IsWindow(HWND hWnd) { return LookupWindow(hWnd) ? TRUE : FALSE; }

HWND GetParent(HWND hWnd)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return nullptr;
    return w->IsTopLevel() ? w->owner : w->parent;
}

HWND GetWindow(HWND hWnd, UINT uCmd)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return nullptr;
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return w->IsTopLevel() ? w->owner : nullptr;
    Window* parent = LookupWindow(w->parent);
    if (!parent || w->IsTopLevel())
        return nullptr;
    const auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), hWnd);
    switch (uCmd) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return (it != siblings.end() && it + 1 != siblings.end()) ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return (it != siblings.end() && it != siblings.begin()) ? *(it - 1) : nullptr;
    default: return nullptr;
    }
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* w = LookupWindow(hDlg);
    if (!w)
        return nullptr;
    for (HWND c : w->children)
        if (Window* child = LookupWindow(c); child && static_cast<WORD>(child->id) == static_cast<WORD>(nIDDlgItem))
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    Window* w = LookupWindow(hWnd);
    return (w && !w->IsTopLevel()) ? static_cast<int>(w->id) : 0;
}

BOOL IsChild(HWND hWndParent, HWND hWnd)
{
    return (hWndParent != hWnd && LookupWindow(hWndParent) && platform::IsDescendant(hWndParent, hWnd)) ? TRUE : FALSE;
}

HWND GetDesktopWindow() { return nullptr; }

int GetClassName(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    Window* w = LookupWindow(hWnd);
    if (!w || nMaxCount <= 0)
        return 0;
    return static_cast<int>(platform::CopyText(std::u16string_view(w->className.GetString(), w->className.GetLength()),
                                               lpClassName, static_cast<std::size_t>(nMaxCount)));
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return FALSE;
    const bool wasDisabled = !w->enabled;
    const bool enable = bEnable != FALSE;
    if (w->enabled != enable) {
        w->enabled = enable;
        if (enable)
            w->style &= ~WS_DISABLED;
        else
            w->style |= WS_DISABLED;
        // A disabled top-level window keeps its look; modality blocks its input.
        if (!w->IsTopLevel() && w->widget)
            w->widget->setEnabled(enable);
        if (!enable && platform::FocusWindow() && platform::IsDescendant(hWnd, platform::FocusWindow()) &&
            !w->IsTopLevel())
            platform::SetFocusTo(nullptr);
        platform::Dispatch(hWnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hWnd)
{
    Window* w = LookupWindow(hWnd);
    return (w && w->enabled) ? TRUE : FALSE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return FALSE;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    const bool show = nCmdShow != SW_HIDE;
    if (show)
        w->style |= WS_VISIBLE;
    else
        w->style &= ~WS_VISIBLE;
    if (show != wasVisible) {
        platform::Dispatch(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!(w = LookupWindow(hWnd)))
            return wasVisible ? TRUE : FALSE;
        if (!show && platform::FocusWindow() && platform::IsDescendant(hWnd, platform::FocusWindow()))
            platform::SetFocusTo(nullptr);
        platform::ShowWidget(*w, show);
    }
    if (show && w->IsTopLevel() && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE &&
        nCmdShow != SW_SHOWMINNOACTIVE)
        platform::Activate(hWnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hWnd)
{
    for (Window* w = LookupWindow(hWnd); w; w = w->IsTopLevel() ? nullptr : LookupWindow(w->parent))
        if (!(w->style & WS_VISIBLE))
            return FALSE;
    return LookupWindow(hWnd) ? TRUE : FALSE;
}

BOOL SetWindowText(HWND hWnd, LPCWSTR lpString)
{
    if (!LookupWindow(hWnd))
        return FALSE;
    static const WCHAR empty[] = {0};
    return platform::Dispatch(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : empty)) ? TRUE
                                                                                                           : FALSE;
}

int GetWindowText(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = 0;
    if (!LookupWindow(hWnd))
        return 0;
    return static_cast<int>(
        platform::Dispatch(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLength(HWND hWnd)
{
    return LookupWindow(hWnd) ? static_cast<int>(platform::Dispatch(hWnd, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    return SetWindowText(GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int nMaxCount)
{
    return static_cast<UINT>(GetWindowText(GetDlgItem(hDlg, nIDDlgItem), lpString, nMaxCount));
}

LONG GetWindowLong(HWND hWnd, int nIndex)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_ID: return static_cast<LONG>(w->id);
    case GWL_USERDATA: return static_cast<LONG>(w->userData);
    case DWL_MSGRESULT: return static_cast<LONG>(w->dialogResult);
    default: return 0;
    }
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return 0;
    LONG old = GetWindowLong(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE:
    case GWL_EXSTYLE: {
        DWORD& bits = nIndex == GWL_STYLE ? w->style : w->exStyle;
        STYLESTRUCT change{bits, static_cast<DWORD>(dwNewLong)};
        bits = change.styleNew;
        if (w->strip)
            w->strip->SetOkVisible((w->exStyle & WS_EX_CAPTIONOKBTN) != 0);
        if (change.styleOld != change.styleNew)
            platform::Dispatch(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&change));
        break;
    }
    case GWL_ID: w->id = static_cast<UINT>(dwNewLong); break;
    case GWL_USERDATA: w->userData = dwNewLong; break;
    case DWL_MSGRESULT: w->dialogResult = dwNewLong; break;
    default: return 0;
    }
    return old;
}

LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_USERDATA: return w->userData;
    case DWL_MSGRESULT: return w->dialogResult;
    default: return GetWindowLong(hWnd, nIndex);
    }
}

LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return 0;
    const LONG_PTR old = GetWindowLongPtr(hWnd, nIndex);
    switch (nIndex) {
    case GWLP_WNDPROC:
        if (!dwNewLong)
            return 0;   // a window always has a procedure
        w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
        return old;
    case GWLP_USERDATA: w->userData = dwNewLong; return old;
    case DWL_MSGRESULT: w->dialogResult = dwNewLong; return old;
    default: return SetWindowLong(hWnd, nIndex, static_cast<LONG>(dwNewLong));
    }
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !lpRect)
        return FALSE;
    const QRect client = platform::ClientRect(*w);
    *lpRect = RECT{0, 0, client.width(), client.height()};
    return TRUE;
}

namespace {

QPoint ClientOriginOnScreen(const Window& w);

// Where the window's rectangle starts on the screen.
QPoint WindowOriginOnScreen(const Window& w)
{
    const QPoint corner(w.rect.left, w.rect.top);
    if (w.IsTopLevel())
        return corner;
    const Window* parent = LookupWindow(w.parent);
    return parent ? ClientOriginOnScreen(*parent) + corner : corner;
}

QPoint ClientOriginOnScreen(const Window& w) { return WindowOriginOnScreen(w) + platform::ClientOffset(w); }

}  // namespace

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !lpRect)
        return FALSE;
    const QPoint origin = WindowOriginOnScreen(*w);
    *lpRect = RECT{origin.x(), origin.y(), origin.x() + (w->rect.right - w->rect.left),
                   origin.y() + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    const QPoint origin = ClientOriginOnScreen(*w);
    lpPoint->x += origin.x();
    lpPoint->y += origin.y();
    return TRUE;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    const QPoint origin = ClientOriginOnScreen(*w);
    lpPoint->x -= origin.x();
    lpPoint->y -= origin.y();
    return TRUE;
}

int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    Window* from = hWndFrom ? LookupWindow(hWndFrom) : nullptr;
    Window* to = hWndTo ? LookupWindow(hWndTo) : nullptr;
    if ((hWndFrom && !from) || (hWndTo && !to) || (cPoints && !lpPoints))
        return 0;
    // A null window is the screen.
    const QPoint delta = (from ? ClientOriginOnScreen(*from) : QPoint()) - (to ? ClientOriginOnScreen(*to) : QPoint());
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += delta.x();
        lpPoints[i].y += delta.y();
    }
    SetLastError(0);
    return MAKELONG(static_cast<WORD>(delta.x()), static_cast<WORD>(delta.y()));
}

BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, x, y, nWidth, nHeight,
                        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0u : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return FALSE;
    RECT r = w->rect;
    const LONG oldWidth = r.right - r.left, oldHeight = r.bottom - r.top;
    if (!(uFlags & SWP_NOMOVE)) {
        r.right = x + oldWidth;
        r.bottom = y + oldHeight;
        r.left = x;
        r.top = y;
    }
    if (!(uFlags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    const bool moved = r.left != w->rect.left || r.top != w->rect.top;
    const bool sized = (r.right - r.left) != oldWidth || (r.bottom - r.top) != oldHeight;
    w->rect = r;
    platform::ApplyGeometry(*w);
    if (uFlags & SWP_FRAMECHANGED)
        platform::ApplyChildrenGeometry(*w);   // the border moved the client area
    if (!(uFlags & SWP_NOZORDER) && w->widget && !w->IsTopLevel()) {
        if (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST)
            w->widget->raise();
        else if (hWndInsertAfter == HWND_BOTTOM)
            w->widget->lower();
    }
    // WM_MOVE tells where the client area now starts in the parent's.
    const QPoint client = QPoint(r.left, r.top) + platform::ClientOffset(*w);
    if (moved)
        platform::Dispatch(hWnd, WM_MOVE, 0, MAKELPARAM(client.x(), client.y()));
    if (sized && (w = LookupWindow(hWnd)) != nullptr)
        platform::Dispatch(hWnd, WM_SIZE, SIZE_RESTORED, platform::ClientSizeParam(*w));
    if (uFlags & SWP_SHOWWINDOW)
        ShowWindow(hWnd, (uFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (uFlags & SWP_HIDEWINDOW)
        ShowWindow(hWnd, SW_HIDE);
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL /*bErase*/)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !w->widget)
        return FALSE;
    if (!lpRect) {
        w->widget->update();
        return TRUE;
    }
    // The rectangle is in client coordinates; what paints it is the surface.
    QWidget* surface = platform::PaintSurface(*w);
    const QPoint origin = surface->mapFrom(w->widget, platform::ClientOffset(*w));
    surface->update(QRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top)
                        .translated(origin));
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    Window* w = LookupWindow(hWnd);
    if (!w || !w->widget)
        return FALSE;
    if (w->widget->isVisible())
        w->widget->repaint();
    return TRUE;
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN: return platform::kScreenWidth;
    case SM_CYSCREEN: return platform::kScreenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return platform::kScrollBarExtent;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CYCAPTION: return platform::kCaptionStripHeight;
    default: return 0;
    }
}

HWND SetFocus(HWND hWnd)
{
    if (hWnd && !LookupWindow(hWnd))
        return nullptr;
    return platform::SetFocusTo(hWnd);
}

HWND GetFocus() { return platform::FocusWindow(); }

HWND SetActiveWindow(HWND hWnd)
{
    if (!LookupWindow(hWnd))
        return nullptr;
    return platform::Activate(hWnd);
}

HWND GetActiveWindow() { return platform::ActiveWindow(); }

BOOL SetForegroundWindow(HWND hWnd) { return platform::BringToForeground(hWnd); }

HWND GetForegroundWindow() { return platform::ActiveWindow(); }

LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Dispatch(hWnd, Msg, wParam, lParam);
}

BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (platform::IsRemoteHandle(hWnd))
        return platform::PostToRemoteWindow(hWnd, Msg, wParam, lParam);
    return platform::MessageLoop::Post(hWnd, Msg, wParam, lParam);
}

void PostQuitMessage(int nExitCode) { platform::MessageLoop::PostQuit(nExitCode); }

LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return SendMessage(GetDlgItem(hDlg, nIDDlgItem), Msg, wParam, lParam);
}

UINT RegisterWindowMessage(LPCWSTR lpString)
{
    if (!lpString || !*lpString)
        return 0;
    auto& registered = platform::Ui().registeredMessages;
    CString key(lpString);
    key.MakeUpper();   // names compare without regard to case
    auto it = registered.find(key);
    if (it != registered.end())
        return it->second;
    const UINT next = WM_REGISTERED_FIRST + static_cast<UINT>(registered.size());
    if (next > WM_REGISTERED_LAST)
        return 0;
    registered.emplace(key, next);
    return next;
}

LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : 0;
}

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, void (*lpTimerFunc)(HWND, UINT, UINT_PTR, DWORD))
{
    Window* w = LookupWindow(hWnd);
    if (!w || nIDEvent == 0)
        return 0;
    std::unique_ptr<QTimer>& timer = w->timers[nIDEvent];
    if (!timer)
        timer = std::make_unique<QTimer>();
    timer->disconnect();
    timer->setProperty(platform::kTimerProcProperty, QVariant::fromValue(reinterpret_cast<quintptr>(lpTimerFunc)));
    timer->setInterval(static_cast<int>(std::min<UINT>(uElapse, 0x7FFFFFFF)));
    QObject::connect(timer.get(), &QTimer::timeout, [hWnd, nIDEvent, lpTimerFunc] {
        ::SendMessage(hWnd, WM_TIMER, nIDEvent, reinterpret_cast<LPARAM>(lpTimerFunc));
    });
    timer->start();
    return nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent)
{
    Window* w = LookupWindow(hWnd);
    if (!w)
        return FALSE;
    auto it = w->timers.find(uIDEvent);
    if (it == w->timers.end())
        return FALSE;
    w->timers.erase(it);
    return TRUE;
}

SHORT GetKeyState(int nVirtKey)
{
    if (!QApplication::instance())
        return 0;
    const Qt::KeyboardModifiers mods = QApplication::keyboardModifiers();
    bool down = false;
    switch (nVirtKey) {
    case VK_SHIFT: down = mods & Qt::ShiftModifier; break;
    case VK_CONTROL: down = mods & Qt::ControlModifier; break;
    case VK_MENU: down = mods & Qt::AltModifier; break;
    case VK_LBUTTON: down = QApplication::mouseButtons() & Qt::LeftButton; break;
    default: break;
    }
    return down ? static_cast<SHORT>(0x8000) : 0;
}

BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam)
{
    return platform::EnumAllTopLevelWindows(lpEnumFunc, lParam);
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return static_cast<UINT>(SendDlgItemMessage(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND button = GetDlgItem(hDlg, nIDButton);
    if (!button)
        return FALSE;
    SendMessage(button, BM_SETCHECK, uCheck, 0);
    return TRUE;
}
