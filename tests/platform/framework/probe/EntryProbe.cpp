// Run by the framework's tests: prints the command line WinMain receives as
// UTF-16 code units in hex, then runs the application, whose InitInstance
// posts a quit with code 7.
#include "platform/framework/CWinApp.h"
#include "platform/framework/WinMain.h"
#include "platform/ui/WinApi.h"

#include <cstdio>

namespace {

class CProbeApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        ::PostQuitMessage(7);
        return TRUE;
    }
};

CProbeApp theApp;

}  // namespace

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd)
{
    if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nShowCmd))
        return -1;
    std::printf("app=%d instance=%d show=%d units=", AfxGetApp() == &theApp, hInstance == AfxGetInstanceHandle(),
                nShowCmd);
    for (LPWSTR p = lpCmdLine; *p; ++p)
        std::printf("%04x ", static_cast<unsigned>(*p));
    std::printf("\n");
    std::fflush(stdout);
    const int code = theApp.InitInstance() ? theApp.Run() : theApp.ExitInstance();
    AfxWinTerm();
    return code;
}
