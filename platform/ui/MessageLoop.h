#pragma once
// The thread's message queue and loops, on the Qt event loop.
//
// PostMessage queues a message behind the events already waiting; the
// application's loop (Run) and every modal loop (RunModal) dispatch them. A
// posted WM_QUIT (PostQuitMessage) ends the innermost modal loop, then each
// enclosing one as it regains control, and finally Run, which returns the quit
// code. The framework's CWinApp::Run is:
//
//     int CWinApp::Run() { return platform::MessageLoop::Run(); }
//
// and a modal dialog's loop is RunModal with a predicate saying it has ended;
// whoever ends it calls Wake so the predicate is looked at again.

#include "platform/ui/WinUser.h"

#include <functional>

namespace platform {

class MessageLoop {
public:
    // Runs until WM_QUIT; returns its code and forgets the quit.
    static int Run();
    // Runs until `ended` says so (checked whenever Wake is called) or a quit is
    // pending. Returns FALSE when a quit ended it; the quit stays pending for
    // the enclosing loops.
    static BOOL RunModal(const std::function<bool()>& ended);
    // Dispatches what is waiting, blocking until something is; FALSE when a quit
    // is pending.
    static BOOL PumpMessage();
    // Dispatches what is waiting without blocking.
    static void ProcessPending();
    static void Wake();

    static BOOL Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void PostQuit(int exitCode);
    static bool QuitPending(int* exitCode = nullptr);
    // Forgets a pending quit (a test that ended without an application loop).
    static void ResetQuit();
    static int Depth();   // loops running now
};

}  // namespace platform
