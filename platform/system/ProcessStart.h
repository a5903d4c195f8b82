#pragma once
// Starting the handheld's programs. The one known here is its help viewer,
// "PegHelp.exe", whose command line is a help file of the device: it opens in
// the desktop's HTML viewer (xdg-open, found on PATH and started without a
// shell). Any other program is not found.

#include "platform/core/Types.h"

#include <string>
#include <string_view>

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct STARTUPINFOW;
using LPSTARTUPINFOW = STARTUPINFOW*;

struct PROCESS_INFORMATION {
    HANDLE hProcess;   // no handles are given out: both null
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// The help file is "\windows\Help.htm" or a plain name looked for in \windows,
// letter case aside. FALSE with ERROR_FILE_NOT_FOUND when the program is not
// the help viewer, the file is not a file of the device, or the viewer cannot
// be started; the viewer's own failures come later and show nothing. The
// arguments the handheld ignores (security, inheritance, flags, environment,
// folder, start-up information) are ignored here too.
BOOL CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES psaProcess,
                    LPSECURITY_ATTRIBUTES psaThread, BOOL fInheritHandles, DWORD fdwCreate, LPVOID pvEnvironment,
                    LPCWSTR pszCurDir, LPSTARTUPINFOW psiStartInfo, LPPROCESS_INFORMATION pProcInfo);

namespace platform {

// The host program that shows help files.
constexpr char kHtmlViewer[] = "xdg-open";

// The host path of a help file named on the viewer's command line; empty when
// it names no regular file of the device.
std::string HelpFileHostPath(std::u16string_view commandLine);

}  // namespace platform
