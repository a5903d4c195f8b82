#pragma once
// Window classes by name. A window of a class behaves as that class whatever
// C++ object is attached to it: the class's procedure (EditProc, ...) is the
// window's behaviour, reached through CWnd::DefWindowProc (or directly, for a
// window without a program object). The class also builds the window's Qt
// widget, and names the object made for a window that the program made
// without one (a dialog template's control, or ::CreateWindowEx).
//
// A control registers itself from RegisterControlClasses() in ControlClasses.cpp:
//
//   platform::RegisterWindowClass({WC_EDIT, EditProc, MakeEditWidget,
//                                  []() -> CWnd* { return new CEdit; }});
//
// The platform tags the widget with the handle, places it, applies the font,
// enabled and visible state, and routes its Qt events as messages.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <functional>

class CWnd;
class QWidget;

namespace platform {

struct WindowClass {
    CString name;
    // The class's behaviour; ::DefWindowProc for a class with none of its own.
    WNDPROC proc = nullptr;
    // Builds the window's widget as a child of `parent` (the parent window's
    // client widget, or the desktop window's client area for a top-level one).
    std::function<QWidget*(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)> makeWidget;
    // The object for a window made without one; the window owns it. Empty: a plain CWnd.
    std::function<CWnd*()> makeObject;
};

// Replaces a class of the same name (names compare without regard to case).
void RegisterWindowClass(WindowClass windowClass);
// The registered class, or null.
const WindowClass* FindWindowClass(LPCWSTR name);
// What a window made in code with a class name nobody registered gets: a
// plain window with the default behaviour (a dialog template's control, by
// contrast, must name a registered class).
const WindowClass& PlainWindowClass();

// Defined in ControlClasses.cpp; called once, before the first window is made.
void RegisterControlClasses();

}  // namespace platform
