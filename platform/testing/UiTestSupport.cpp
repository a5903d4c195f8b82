#include "platform/testing/UiTestSupport.h"

#include "platform/ui/MessageLoop.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <QEvent>

namespace platform::testing {

void ProcessEvents()
{
    EnsureApplication();
    MessageLoop::ProcessPending();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ResetUi()
{
    EnsureApplication();
    for (HWND hwnd : AllWindows())
        if (Window* w = LookupWindow(hwnd); w && w->IsTopLevel())
            ::DestroyWindow(hwnd);
    for (HWND hwnd : AllWindows())
        ::DestroyWindow(hwnd);
    ProcessEvents();
    MessageLoop::ResetQuit();
}

}  // namespace platform::testing
