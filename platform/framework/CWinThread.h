#pragma once
// The user-interface thread: its main window and its message loop.

#include "platform/ui/CCmdTarget.h"

class CWnd;

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;

    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    // Runs the message loop until WM_QUIT; returns ExitInstance().
    virtual int Run();
    // The exit code: the quit message's code once Run has ended, else 0.
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

protected:
    int m_nExitCode = 0;
};
