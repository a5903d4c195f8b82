#include "platform/ui/WindowClassRegistry.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/GenericControl.h"
#include "platform/ui/qt/WindowWidget.h"

#include <vector>

namespace platform {
namespace {

std::vector<WindowClass>& Classes()
{
    static std::vector<WindowClass> classes;
    return classes;
}

void RegisterBuiltIns()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterWindowClass({WC_DIALOG,
                         [](HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) -> QWidget* {
                             return new WindowWidget(hwnd, cs, parent);
                         },
                         []() -> CWnd* { return new CWnd; }});
    RegisterControlClasses();
}

}  // namespace

void RegisterWindowClass(WindowClass windowClass)
{
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

const WindowClass& GenericWindowClass()
{
    static const WindowClass generic{u"",
                                     [](HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) -> QWidget* {
                                         return new WindowWidget(hwnd, cs, parent);
                                     },
                                     []() -> CWnd* { return new GenericControl; }};
    return generic;
}

}  // namespace platform
