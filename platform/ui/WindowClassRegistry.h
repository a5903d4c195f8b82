#pragma once
// Window classes by name: how a window of a class gets its Qt widget and, when
// the program made it without a C++ object (a dialog template's control, or
// ::CreateWindowEx), which object handles its messages.
//
// A control (the controls live in platform/ui too) registers itself from
// RegisterControlClasses() in ControlClasses.cpp:
//
//   platform::RegisterWindowClass({u"EDIT",
//       [](HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) -> QWidget* {
//           return new EditWidget(hwnd, cs, parent);   // sends EN_CHANGE etc. to the parent
//       },
//       [] () -> CWnd* { return new CEdit; }});
//
// The platform tags the widget with the handle, places it, applies the font,
// enabled and visible state, and routes its Qt events as messages. A class not
// registered gets a plain placeholder widget, so every template loads.

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

#include <functional>

class CWnd;
class QWidget;

namespace platform {

struct WindowClass {
    CString name;
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
// The placeholder for classes nobody registered.
const WindowClass& GenericWindowClass();

// Defined in ControlClasses.cpp; called once, before the first window is made.
void RegisterControlClasses();

}  // namespace platform
