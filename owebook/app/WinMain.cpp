// The process entry: one instance at a time. A second launch hands its
// command line to the running instance's windows and ends.

#include "owebook/app/AppIds.h"
#include "owebook/app/OwebookApp.h"
#include "owebook/res/ResourceTables.h"
#include "platform/core/LastError.h"
#include "platform/core/WideC.h"
#include "platform/framework/WinMain.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/ThreadPriority.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"

#include <cstdint>

COwebookApp theApp;

namespace {

struct InstanceSearch {
    WCHAR szPath[MAX_PATH];
    HWND hWnd;
    LPCWSTR lpCmdLine;
};

BOOL HandOverToInstance(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<InstanceSearch*>(lParam);
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(hWnd, &pid) || pid == 0)
        return TRUE;
    WCHAR path[MAX_PATH] = {};
    if (platform::GetProcessFileName(pid, path, MAX_PATH) == 0)
        return TRUE;
    if (_wcsicmp(path, search->szPath) != 0)
        return TRUE;

    search->hWnd = hWnd;
    // The low bit brings the window's owned windows (an open dialog) forward too.
    SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(hWnd) | 1));
    if (wcscmp(search->lpCmdLine, CMDLINE_RUN_AT_TIME) == 0)
        PostMessageW(hWnd, WM_OWEBOOK_ALARM, 0, 0);
    else if (wcscmp(search->lpCmdLine, CMDLINE_AFTER_SYNC) == 0)
        PostMessageW(hWnd, WM_OWEBOOK_AFTERSYNC, 0, 0);
    return TRUE;
}

}  // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    static WCHAR noCommandLine[] = u"";
    if (!lpCmdLine)
        lpCmdLine = noCommandLine;

    int nReturnCode = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nShowCmd) && pApp->InitApplication()) {
        RegisterResources();

        WCHAR szPath[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szPath, MAX_PATH);
        WCHAR szMutexName[MAX_PATH];
        wcscpy(szMutexName, szPath);
        for (WCHAR* p = szMutexName; *p; ++p)
            if (*p == u'\\')
                *p = u'/';

        // Held until the process ends: its existence is what a later launch sees.
        HANDLE hMutex = CreateMutexW(nullptr, FALSE, szMutexName);
        if (!hMutex || GetLastError() != static_cast<DWORD>(ERROR_ALREADY_EXISTS)) {
            if (!pApp->InitInstance()) {
                if (pApp->m_pMainWnd && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
                    pApp->m_pMainWnd->DestroyWindow();
                nReturnCode = pApp->ExitInstance();
            } else {
                nReturnCode = pApp->Run();
            }
        } else {
            InstanceSearch search{};
            wcscpy(search.szPath, szPath);
            search.hWnd = nullptr;
            search.lpCmdLine = lpCmdLine;
            EnumWindows(HandOverToInstance, reinterpret_cast<LPARAM>(&search));

            // Give the running instance the processor while it handles the message.
            HANDLE hThread = GetCurrentThread();
            const int nPriority = GetThreadPriority(hThread);
            SetThreadPriority(hThread, THREAD_PRIORITY_IDLE);
            Sleep(1000);
            SetThreadPriority(hThread, nPriority);
            nReturnCode = -1;
        }
    }
    AfxWinTerm();
    return nReturnCode;
}
