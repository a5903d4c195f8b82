#pragma once
// The process entry and the framework's start and end steps.
//
// The platform's main() creates the application, then calls the program's
//
//   int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd);
//
// with the arguments after the program's name joined by single blanks. The
// program's WinMain calls AfxWinInit first and AfxWinTerm last. main() lives
// in the target platform_main, which only the program's executable links;
// that executable's own sources define WinMain and the global application.

#include "platform/core/CString.h"

class CWinApp;

int WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nShowCmd);

// The module's and thread's initialisation: the Qt application, the
// application object's instance, command line and show flag, and the watch
// that tells the windows of locale and time-zone changes.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// Closes the open documents and their windows, stops the watch.
void AfxWinTerm();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Nothing to do here: there are no embedded controls of that kind.
void AfxEnableControlContainer();

namespace platform {

// argv[1..] joined by single blanks, each taken from the locale's encoding (UTF-8).
CString JoinCommandLine(int argc, const char* const* argv);
// What main() does: creates the application and runs WinMain with the joined
// command line; returns WinMain's result.
int RunMain(int argc, char** argv);

}  // namespace platform
