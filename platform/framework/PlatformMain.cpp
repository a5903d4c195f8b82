#include "platform/framework/WinMain.h"

#include "platform/system/devicefiles/DeviceFiles.h"
#include "platform/system/runattime/RunAtTime.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinUser.h"

#include <vector>

namespace platform {

int RunMain(int argc, char** argv)
{
    EnsureApplication(argc, argv);
    InstallDeviceFilesAtStart();
    ResumeRunAtTimeAtStart(argc, argv);
    const CString commandLine = JoinCommandLine(argc, argv);
    // WinMain gets a writable copy that lives as long as the program.
    static std::vector<WCHAR> buffer;
    buffer.assign(commandLine.GetString(), commandLine.GetString() + commandLine.GetLength());
    buffer.push_back(0);
    return WinMain(AfxGetInstanceHandle(), nullptr, buffer.data(), SW_SHOW);
}

}  // namespace platform
