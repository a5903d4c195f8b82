#include "platform/ui/Window.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WindowTable.h"

#include <QTimer>
#include <QVariant>

namespace platform {
namespace {

constexpr const char* kHwndProperty = "platformHwnd";
constexpr const char* kNoWindowProperty = "platformNoWindow";

auto& Table() { return Ui().windows; }

}  // namespace

Window::Window() = default;
Window::~Window() = default;

// Window handles are even: the low bit of a handle passed to
// SetForegroundWindow means "with its owned windows", so it must never be part
// of a real handle. Odd values are refused.
HWND AddWindowToTable(std::unique_ptr<Window> window)
{
    return reinterpret_cast<HWND>(Table().Add(std::move(window)) << 1);
}

static std::uintptr_t TableHandle(HWND hwnd)
{
    const auto value = reinterpret_cast<std::uintptr_t>(hwnd);
    return (value & 1) ? 0 : value >> 1;
}

std::unique_ptr<Window> RemoveWindowFromTable(HWND hwnd) { return Table().Remove(TableHandle(hwnd)); }

Window* LookupWindow(HWND hwnd) { return Table().Get(TableHandle(hwnd)); }

std::vector<HWND> AllWindows()
{
    std::vector<HWND> all;
    Table().ForEach([&](Window* w) { all.push_back(w->hwnd); });
    return all;
}

void TagWidget(QWidget* widget, HWND hwnd)
{
    if (widget)
        widget->setProperty(kHwndProperty, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(hwnd)));
}

void MarkNotAWindow(QWidget* widget)
{
    if (widget)
        widget->setProperty(kNoWindowProperty, true);
}

HWND HwndOfWidget(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (w->property(kNoWindowProperty).toBool())
            return nullptr;
        const QVariant tag = w->property(kHwndProperty);
        if (tag.isValid()) {
            HWND hwnd = reinterpret_cast<HWND>(tag.value<quintptr>());
            return LookupWindow(hwnd) ? hwnd : nullptr;
        }
        // Popups (a combo box's list, a menu) are their own desktop windows:
        // what happens in them is the control's business, not a window message.
        if (w->isWindow())
            return nullptr;
    }
    return nullptr;
}

Window* WindowOfWidget(const QWidget* widget) { return LookupWindow(HwndOfWidget(widget)); }

}  // namespace platform
