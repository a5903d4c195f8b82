#include "platform/framework/WinMain.h"

#include "platform/framework/CWinApp.h"
#include "platform/framework/SettingWatch.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"

#include <QString>

// AfxGetInstanceHandle and AfxGetResourceHandle are the ui layer's (Resources.cpp).

void AfxEnableControlContainer() {}

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    platform::EnsureApplication();
    if (CWinApp* app = AfxGetApp()) {
        app->m_hInstance = hInstance ? hInstance : AfxGetInstanceHandle();
        app->m_lpCmdLine = lpCmdLine;
        app->m_nCmdShow = nCmdShow;
    }
    platform::StartSettingWatch();
    return TRUE;
}

void AfxWinTerm()
{
    platform::StopSettingWatch();
    if (CWinApp* app = AfxGetApp()) {
        // Closing now is the end of the process, not a request to quit.
        // Closing the documents may destroy (and delete) the main frame: keep its handle only.
        const HWND main = app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
        app->m_pMainWnd = nullptr;
        app->CloseAllDocuments(TRUE);
        if (main && ::IsWindow(main))
            ::DestroyWindow(main);
    }
}

namespace platform {

CString JoinCommandLine(int argc, const char* const* argv)
{
    QString joined;
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        if (i > 1)
            joined += QLatin1Char(' ');
        joined += QString::fromLocal8Bit(argv[i]);
    }
    return CString(reinterpret_cast<LPCWSTR>(joined.utf16()), static_cast<int>(joined.size()));
}

}  // namespace platform
