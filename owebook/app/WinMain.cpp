// The process entry: one instance at a time. A second launch hands its
// command line to the running instance's windows and ends.

#include "owebook/app/AppIds.h"
#include "owebook/app/OwebookApp.h"
#include "owebook/res/ResourceTables.h"
#include "platform/core/LastError.h"
#include "platform/core/WideC.h"
#include "platform/framework/WinMain.h"
#include "platform/system/MessageFilter.h"
#include "platform/system/NamedMutex.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/ThreadPriority.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"

#include <cstdint>

COwebookApp theApp;

namespace {

// A running instance may be starting (no window yet) or ending (none any
// more); a launch that finds no window looks again: a hundred looks 50 ms
// apart, five seconds while the processor has time to spare, longer only
// while others keep it busy (the launch waits at idle priority), and never
// over fifteen.
constexpr int LOOKS = 100;
constexpr DWORD LOOK_INTERVAL_MS = 50;
constexpr DWORD LOOK_LIMIT_MS = 15000;
// Hand-overs to an instance that ended before handling them, tried again.
constexpr int HAND_OVER_ROUNDS = 3;

enum class Launch { Instance, Second, Stuck };

struct InstanceSearch {
    WCHAR szPath[MAX_PATH];
    HWND hWnd;
    LPCWSTR lpCmdLine;
};

BOOL IsInstanceWindow(HWND hWnd, LPCWSTR szPath)
{
    DWORD pid = 0;
    if (!GetWindowThreadProcessId(hWnd, &pid) || pid == 0)
        return FALSE;
    WCHAR path[MAX_PATH] = {};
    if (platform::GetProcessFileName(pid, path, MAX_PATH) == 0)
        return FALSE;
    return _wcsicmp(path, szPath) == 0;
}

BOOL HandOverToInstance(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<InstanceSearch*>(lParam);
    if (!IsInstanceWindow(hWnd, search->szPath))
        return TRUE;

    // The low bit brings the window's owned windows (an open dialog) forward too.
    if (!SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(hWnd) | 1)))
        return TRUE;  // gone meanwhile, or no longer taking requests
    search->hWnd = hWnd;
    if (wcscmp(search->lpCmdLine, CMDLINE_RUN_AT_TIME) == 0)
        PostMessageW(hWnd, WM_OWEBOOK_ALARM, 0, 0);
    else if (wcscmp(search->lpCmdLine, CMDLINE_AFTER_SYNC) == 0)
        PostMessageW(hWnd, WM_OWEBOOK_AFTERSYNC, 0, 0);
    return TRUE;
}

BOOL FindInstanceWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<InstanceSearch*>(lParam);
    if (!IsInstanceWindow(hWnd, search->szPath))
        return TRUE;
    search->hWnd = hWnd;
    return FALSE;
}

// Gives the running instance the processor while it starts or handles the
// message; a launch that talked at idle priority could be too slow for it.
void IdleSleep(DWORD dwMilliseconds)
{
    HANDLE hThread = GetCurrentThread();
    const int nPriority = GetThreadPriority(hThread);
    SetThreadPriority(hThread, THREAD_PRIORITY_IDLE);
    Sleep(dwMilliseconds);
    SetThreadPriority(hThread, nPriority);
}

// Opens the instance mutex. A launch that finds it held closes it again at
// once: waiting launches that held it would keep it alive for each other
// after the instance itself had gone, and none would ever take over.
Launch OpenInstanceMutex(LPCWSTR szName, HANDLE& hMutex)
{
    hMutex = CreateMutexW(nullptr, FALSE, szName);
    const DWORD dwError = GetLastError();
    if (!hMutex)  // the platform has said why it waited in vain
        return dwError == static_cast<DWORD>(ERROR_TIMEOUT) ? Launch::Stuck : Launch::Instance;
    if (dwError != static_cast<DWORD>(ERROR_ALREADY_EXISTS))
        return Launch::Instance;
    CloseHandle(hMutex);
    hMutex = nullptr;
    return Launch::Second;
}

// Hands the command line to the running instance; waits for a window while
// the instance starts, and takes over when the instance ends meanwhile
// (Launch::Instance, with the mutex in hMutex).
Launch HandOver(InstanceSearch& search, LPCWSTR szMutexName, HANDLE& hMutex)
{
    Launch launch = Launch::Second;
    for (int nRound = 0; nRound < HAND_OVER_ROUNDS && launch == Launch::Second; ++nRound) {
        search.hWnd = nullptr;
        const DWORD dwStart = GetTickCount();
        EnumWindows(HandOverToInstance, reinterpret_cast<LPARAM>(&search));
        for (int nLook = 1; !search.hWnd && nLook < LOOKS && GetTickCount() - dwStart < LOOK_LIMIT_MS; ++nLook) {
            IdleSleep(LOOK_INTERVAL_MS);
            launch = OpenInstanceMutex(szMutexName, hMutex);
            if (launch != Launch::Second)
                break;
            EnumWindows(HandOverToInstance, reinterpret_cast<LPARAM>(&search));
        }
        if (launch != Launch::Second)
            break;
        IdleSleep(1000);
        if (!search.hWnd)
            break;
        // An instance that was ending when it took the request never handles
        // it: if none is left, look again.
        search.hWnd = nullptr;
        EnumWindows(FindInstanceWindow, reinterpret_cast<LPARAM>(&search));
        if (search.hWnd)
            break;
    }
    return launch;
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
        HANDLE hMutex = nullptr;
        Launch launch = OpenInstanceMutex(szMutexName, hMutex);
        if (launch == Launch::Second) {
            InstanceSearch search{};
            wcscpy(search.szPath, szPath);
            search.hWnd = nullptr;
            search.lpCmdLine = lpCmdLine;
            launch = HandOver(search, szMutexName, hMutex);
        }

        if (launch == Launch::Instance) {
            // Other processes may post the hand-over's messages and nothing else.
            ChangeWindowMessageFilter(WM_OWEBOOK_ALARM, MSGFLT_ADD);
            ChangeWindowMessageFilter(WM_OWEBOOK_AFTERSYNC, MSGFLT_ADD);
            if (!pApp->InitInstance()) {
                if (pApp->m_pMainWnd && ::IsWindow(pApp->m_pMainWnd->m_hWnd))
                    pApp->m_pMainWnd->DestroyWindow();
                nReturnCode = pApp->ExitInstance();
            } else {
                nReturnCode = pApp->Run();
            }
        }
    }
    AfxWinTerm();
    return nReturnCode;
}
