#include "platform/ui/CrossProcess.h"

#include "platform/system/ProcessInfo.h"
#include "platform/system/Trace.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

static_assert(sizeof(HWND) >= sizeof(platform::WindowId), "a window handle must hold another process's window id");

namespace platform {
namespace {

constexpr std::uintptr_t kOwnedBit = 1;

std::uintptr_t Value(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

bool OnDesktop() { return QGuiApplication::platformName() != QLatin1String("offscreen"); }

void Raise(Window& w)
{
    QWidget* outer = w.Outer();
    if (!outer || !OnDesktop())
        return;
    if (outer->isMinimized())
        outer->setWindowState(outer->windowState() & ~Qt::WindowMinimized);
    outer->raise();
    outer->activateWindow();
}

bool Shown(const Window& w) { return w.Outer() && w.Outer()->isVisible(); }

// The windows `owner` owns, and theirs, that are on screen.
void OwnedWindows(HWND owner, std::vector<HWND>& out)
{
    for (HWND hwnd : AllWindows())
        if (Window* w = LookupWindow(hwnd); w && w->IsTopLevel() && w->owner == owner && Shown(*w)) {
            out.push_back(hwnd);
            OwnedWindows(hwnd, out);
        }
}

BOOL BringLocal(HWND hwnd, bool withOwned)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return FALSE;
    HWND target = TopLevelOf(hwnd);
    if (Window* top = LookupWindow(target))
        Raise(*top);
    if (withOwned) {
        std::vector<HWND> owned;
        OwnedWindows(target, owned);
        for (HWND o : owned)
            if (Window* ow = LookupWindow(o)) {
                Raise(*ow);
                if (ow->enabled)
                    target = o;
            }
    }
    if (!LookupWindow(target))
        return FALSE;
    Activate(target);
    return TRUE;
}

// On the UI thread: what another process asked of one of our windows.
void Deliver(const RemoteRequest& request)
{
    const HWND hwnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(request.window));
    if (request.kind == RemoteRequest::Kind::PostMessage) {
        // Another process's parameters are never used here, whatever arrives.
        if (MessageLoop::Post(hwnd, request.message, 0, 0))
            Trace("remote post queued window=%u message=0x%X", request.window, request.message);
        else
            Trace("remote post dropped window=%u message=0x%X: no such window", request.window, request.message);
    } else if (!BringLocal(hwnd, request.withOwned)) {
        Trace("remote foreground dropped window=%u: no such window", request.window);
    }
}

}  // namespace

bool IsRemoteHandle(HWND hwnd) { return IsRemoteWindow(static_cast<WindowId>(Value(hwnd))); }

HWND RemoteHandle(WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

void InstallCrossProcessGlue()
{
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    // Runs on the listener thread: only queue the request for the UI thread.
    SetRemoteSink([](const RemoteRequest& request) {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [request] { Deliver(request); }, Qt::QueuedConnection);
    });
}

void AnnounceTopLevelWindow(HWND hwnd)
{
    // Not announced (no usable runtime folder) only means other launches
    // cannot find us; the window itself is fine.
    if (!RegisterTopLevelWindow(static_cast<std::uint32_t>(Value(hwnd))))
        Trace("window %u not announced", static_cast<unsigned>(Value(hwnd)));
}

void WithdrawTopLevelWindow(HWND hwnd) { UnregisterTopLevelWindow(static_cast<std::uint32_t>(Value(hwnd))); }

BOOL BringToForeground(HWND hwnd)
{
    const bool withOwned = (Value(hwnd) & kOwnedBit) != 0;
    const HWND window = reinterpret_cast<HWND>(Value(hwnd) & ~kOwnedBit);
    if (IsRemoteHandle(window))
        return RemoteSetForeground(static_cast<WindowId>(Value(window)), withOwned);
    return BringLocal(window, withOwned);
}

BOOL PostToRemoteWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return IsRemoteHandle(hwnd) ? RemotePostMessage(static_cast<WindowId>(Value(hwnd)), message, wParam, lParam)
                                : FALSE;
}

BOOL EnumAllTopLevelWindows(BOOL (*proc)(HWND, LPARAM), LPARAM lParam)
{
    if (!proc)
        return FALSE;
    for (HWND hwnd : AllWindows()) {
        Window* w = LookupWindow(hwnd);
        if (w && w->IsTopLevel() && !proc(hwnd, lParam))
            return FALSE;
    }
    struct Call {
        BOOL (*proc)(HWND, LPARAM);
        LPARAM lParam;
    } call{proc, lParam};
    return EnumRemoteTopLevelWindows(
        [](WindowId window, LPARAM self) {
            const auto* c = reinterpret_cast<const Call*>(self);
            return c->proc(RemoteHandle(window), c->lParam);
        },
        reinterpret_cast<LPARAM>(&call));
}

}  // namespace platform

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    DWORD pid = 0;
    std::uint32_t handle = 0;
    if (platform::IsRemoteHandle(hWnd)) {
        if (!platform::DecodeRemoteWindow(static_cast<platform::WindowId>(reinterpret_cast<std::uintptr_t>(hWnd)),
                                          &pid, &handle) ||
            handle == 0 || (handle & 1))
            pid = 0;
    } else if (::IsWindow(hWnd)) {
        pid = GetCurrentProcessId();
    }
    if (lpdwProcessId)
        *lpdwProcessId = pid;
    // Windows belong to the UI thread, the process's main thread, whose id is the pid.
    return pid;
}
