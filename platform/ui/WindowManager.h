#pragma once
// Creating, destroying and dispatching to windows; focus and activation
// (platform internal).

#include "platform/ui/Window.h"

#include <functional>

namespace platform {

// Calls into a CWnd's protected virtuals on the platform's behalf.
struct WindowAccess {
    static LRESULT WindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT DefWindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL PreTranslateMessage(CWnd* object, MSG* msg);
    static void PreSubclassWindow(CWnd* object);
    static void PostNcDestroy(CWnd* object);
};

// Makes the window, sends WM_CREATE and WM_SIZE, shows it when WS_VISIBLE.
// `object` receives its messages; null lets the window class make one that the
// window owns. Null on failure (bad parent, WM_CREATE answered -1).
HWND CreateWindowFor(const CREATESTRUCT& cs, CWnd* object);
BOOL DestroyWindowTree(HWND hwnd);

struct RoutedEvent;
struct MessageFrame;

// SendMessage: the window's receiver, synchronously; 0 for a stale handle.
// `routed` is the Qt event the message stands for, if any.
LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, RoutedEvent* routed = nullptr);
// The innermost message being handled for hwnd; null if none.
const MessageFrame* CurrentMessage(HWND hwnd);
// The font of a window nobody gave one.
QFont DefaultWindowFont();
// Shows a top-level window's text as its title (caption strip and desktop window).
void ShowTitle(Window& w);

// Swaps the receiving object; the platform-made object is deleted. Returns FALSE
// for a stale handle or an object already attached to another window.
BOOL AttachObject(HWND hwnd, CWnd* object);
// Whether AttachObject would take `object` for hwnd.
bool CanAttach(HWND hwnd, const CWnd* object);
// Gives the window back to a fresh platform-made object; returns the handle.
HWND DetachObject(CWnd* object);

HWND FocusWindow();
HWND SetFocusTo(HWND hwnd);                 // sends WM_KILLFOCUS / WM_SETFOCUS, moves Qt's focus
void FocusChangedByQt(HWND hwnd);           // the user clicked or tabbed into hwnd
HWND ActiveWindow();
HWND Activate(HWND hwnd);                   // top-level windows: WM_ACTIVATE to both

// The width of a scroll bar (SM_CXVSCROLL, SM_CYHSCROLL).
constexpr int kScrollBarExtent = 13;

// How much of a child window's rectangle its border takes on each side:
// WS_BORDER 1, WS_DLGFRAME 3, and WS_EX_CLIENTEDGE 2 more.
int BorderWidth(const Window& w);
// Where the client area's (0, 0) lies in the window's widget.
QPoint ClientOffset(const Window& w);
// The client area: (0, 0) to its width and height, within the border and
// beside the scroll bars the window shows.
QRect ClientRect(const Window& w);
// The client size as WM_SIZE carries it.
LPARAM ClientSizeParam(const Window& w);

HWND TopLevelOf(HWND hwnd);
bool IsDescendant(HWND ancestor, HWND hwnd);   // hwnd is ancestor or below it
// Places the window's widget at its rectangle (a child's: in its parent's
// client area).
void ApplyGeometry(Window& w);
// Places the children again, after the window's border changed.
void ApplyChildrenGeometry(Window& w);
void ShowWidget(Window& w, bool visible);

// Every message that reaches a window passes here first (the testing layer's
// recorder listens); returns an id for RemoveMessageObserver.
using MessageObserver = std::function<void(HWND, UINT, WPARAM, LPARAM)>;
int AddMessageObserver(MessageObserver observer);
void RemoveMessageObserver(int id);

// Sends WM_SETTINGCHANGE to every top-level window (locale or time zone changed).
void BroadcastSettingChange(UINT flags, LPCWSTR section);

}  // namespace platform
