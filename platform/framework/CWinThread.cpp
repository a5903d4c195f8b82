#include "platform/framework/CWinThread.h"

#include "platform/ui/MessageLoop.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::Run()
{
    m_nExitCode = platform::MessageLoop::Run();
    return ExitInstance();
}

int CWinThread::ExitInstance() { return m_nExitCode; }
