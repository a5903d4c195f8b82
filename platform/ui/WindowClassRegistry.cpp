#include "platform/ui/WindowClassRegistry.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/qt/WindowWidget.h"

#include <vector>

namespace platform {
namespace {

std::vector<WindowClass>& Classes()
{
    static std::vector<WindowClass> classes;
    return classes;
}

QWidget* MakeWindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    return new WindowWidget(hwnd, cs, parent);
}

void RegisterBuiltIns()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterWindowClass({WC_DIALOG, ::DefWindowProc, MakeWindowWidget, []() -> CWnd* { return new CWnd; }});
    RegisterControlClasses();
}

}  // namespace

void RegisterWindowClass(WindowClass windowClass)
{
    if (!windowClass.proc)
        windowClass.proc = ::DefWindowProc;
    for (WindowClass& c : Classes()) {
        if (c.name.CompareNoCase(windowClass.name) == 0) {
            c = std::move(windowClass);
            return;
        }
    }
    Classes().push_back(std::move(windowClass));
}

const WindowClass* FindWindowClass(LPCWSTR name)
{
    RegisterBuiltIns();
    if (!name || IS_INTRESOURCE(name))
        return nullptr;
    for (const WindowClass& c : Classes())
        if (c.name.CompareNoCase(name) == 0)
            return &c;
    return nullptr;
}

const WindowClass& PlainWindowClass()
{
    static const WindowClass plain{u"", ::DefWindowProc, MakeWindowWidget, []() -> CWnd* { return new CWnd; }};
    return plain;
}

}  // namespace platform
