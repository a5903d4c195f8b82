#pragma once
// The window functions the program calls by their classic names. Every
// function that takes an HWND refuses a null or stale handle quietly (0, FALSE
// or nothing), never touching a window that is gone.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

// Windows.
HWND CreateWindowEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
HWND GetParent(HWND hWnd);
HWND GetWindow(HWND hWnd, UINT uCmd);
HWND GetDlgItem(HWND hDlg, int nIDDlgItem);
int GetDlgCtrlID(HWND hWnd);
BOOL IsChild(HWND hWndParent, HWND hWnd);
HWND GetDesktopWindow();
int GetClassName(HWND hWnd, LPWSTR lpClassName, int nMaxCount);

BOOL EnableWindow(HWND hWnd, BOOL bEnable);   // returns TRUE if the window was disabled before
BOOL IsWindowEnabled(HWND hWnd);
BOOL ShowWindow(HWND hWnd, int nCmdShow);     // returns TRUE if the window was visible before
BOOL IsWindowVisible(HWND hWnd);
BOOL SetWindowText(HWND hWnd, LPCWSTR lpString);
int GetWindowText(HWND hWnd, LPWSTR lpString, int nMaxCount);
int GetWindowTextLength(HWND hWnd);
BOOL SetDlgItemText(HWND hDlg, int nIDDlgItem, LPCWSTR lpString);
UINT GetDlgItemText(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int nMaxCount);
LONG GetWindowLong(HWND hWnd, int nIndex);
LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong);
// GWLP_WNDPROC is the window's procedure behind its object (the class's, at
// first): a procedure put there sees the messages the object passes on, and
// passes on with CallWindowProc to the one it replaced.
LONG_PTR GetWindowLongPtr(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtr(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL MoveWindow(HWND hWnd, int x, int y, int nWidth, int nHeight, BOOL bRepaint);
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
// A window's client area lies within its border and beside its scroll bars;
// GetClientRect, the mappings and WM_SIZE all mean that area.
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
// From hWndFrom's client coordinates to hWndTo's (a null window: the
// screen); returns the offset, x in the low word and y in the high word.
int MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints);
BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
BOOL UpdateWindow(HWND hWnd);
int GetSystemMetrics(int nIndex);

HWND SetFocus(HWND hWnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
// The lowest bit of the handle brings the window's owned windows too. A window
// of another process of the program (from EnumWindows) is asked to come forward.
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();

// Messages.
LRESULT SendMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
LRESULT SendDlgItemMessage(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
UINT RegisterWindowMessage(LPCWSTR lpString);   // 0xC000..0xFFFF, the same number for the same name
LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, void (*lpTimerFunc)(HWND, UINT, UINT_PTR, DWORD));
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);
SHORT GetKeyState(int nVirtKey);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);
// This process's top-level windows, then the other processes' of the program (of
// this user). PostMessage and SetForegroundWindow reach the latter too.
BOOL EnumWindows(WNDENUMPROC lpEnumFunc, LPARAM lParam);
// The process of a window (also the thread id: windows live on the main
// thread); 0 for a stale handle.
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);

// Dialogs.
BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
BOOL EndDialog(HWND hDlg, INT_PTR nResult);
BOOL IsDialogMessage(HWND hDlg, LPMSG lpMsg);
UINT IsDlgButtonChecked(HWND hDlg, int nIDButton);
BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck);

// Message boxes and the beep.
int MessageBox(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
BOOL MessageBeep(UINT uType);

// The W spellings the program also uses.
inline LRESULT SendMessageW(HWND h, UINT m, WPARAM w, LPARAM l) { return SendMessage(h, m, w, l); }
inline BOOL PostMessageW(HWND h, UINT m, WPARAM w, LPARAM l) { return PostMessage(h, m, w, l); }
inline int MessageBoxW(HWND h, LPCWSTR t, LPCWSTR c, UINT u) { return MessageBox(h, t, c, u); }
inline BOOL SetWindowTextW(HWND h, LPCWSTR s) { return SetWindowText(h, s); }
inline int GetWindowTextW(HWND h, LPWSTR s, int n) { return GetWindowText(h, s, n); }
inline UINT RegisterWindowMessageW(LPCWSTR s) { return RegisterWindowMessage(s); }
