// The help viewer: "PegHelp.exe" with a help file of the device starts the
// desktop's viewer on that file, without a shell; anything else, a missing
// file or a missing viewer is a quiet FALSE.

#include "platform/store/DeviceFolder.h"
#include "support/FakeViewer.h"

#include "platform/core/LastError.h"
#include "platform/system/ProcessStart.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>

namespace {

struct StartCase {
    const char* name;
    const char16_t* image;
    const char16_t* commandLine;
    const char* opened;   // below the device folder; null: nothing started
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class ProcessStartTest : public ::testing::TestWithParam<StartCase> {
protected:
    ProcessStartTest()
    {
        mkdir(m_device.Home().c_str(), 0700);
        mkdir((m_device.Home() + "/windows").c_str(), 0700);
        mkdir((m_device.Home() + "/windows/Folder.htm").c_str(), 0700);
        WriteFileBytes(m_device.Home() + "/windows/Owebook.htm", "<!DOCTYPE html>");
        WriteFileBytes(m_device.Home() + "/windows/-x.htm", "<!DOCTYPE html>");
        WriteFileBytes(m_device.Home() + "/secret.htm", "<!DOCTYPE html>");
    }

    DeviceFolder m_device;
};

TEST_P(ProcessStartTest, StartsTheViewerOnlyOnAHelpFileOfTheDevice)
{
    const StartCase& c = GetParam();
    FakeViewer viewer;
    SetLastError(12345);
    const BOOL started = CreateProcessW(c.image, c.commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                                       nullptr);
    if (!c.opened) {
        EXPECT_FALSE(started);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        EXPECT_TRUE(viewer.Starts().empty());
        return;
    }
    ASSERT_TRUE(started);
    const auto starts = viewer.AwaitStarts();
    ASSERT_EQ(starts.size(), 1u);
    // One argument, the absolute path: never taken for an option.
    EXPECT_EQ(starts[0], std::vector<std::string>{m_device.Home() + c.opened});
}

INSTANTIATE_TEST_SUITE_P(
    Help, ProcessStartTest,
    ::testing::Values(
        StartCase{"PlainName", u"PegHelp.exe", u"Owebook.htm", "/windows/Owebook.htm"},
        StartCase{"AnyCase", u"\\Windows\\PEGHELP.EXE", u"OWEBOOK.HTM", "/windows/Owebook.htm"},
        StartCase{"DevicePath", u"PegHelp.exe", u"\\windows\\Owebook.htm", "/windows/Owebook.htm"},
        StartCase{"QuotedWithBlanks", u"PegHelp.exe", u" \"Owebook.htm\" ", "/windows/Owebook.htm"},
        StartCase{"LooksLikeAnOption", u"PegHelp.exe", u"-x.htm", "/windows/-x.htm"},
        StartCase{"ElsewhereOnTheDevice", u"PegHelp.exe", u"\\secret.htm", "/secret.htm"},
        StartCase{"MissingFile", u"PegHelp.exe", u"Missing.htm", nullptr},
        StartCase{"Folder", u"PegHelp.exe", u"Folder.htm", nullptr},
        StartCase{"OutOfTheDevice", u"PegHelp.exe", u"..\\..\\secret.htm", nullptr},
        StartCase{"EmptyCommandLine", u"PegHelp.exe", u"", nullptr},
        StartCase{"NoCommandLine", u"PegHelp.exe", nullptr, nullptr},
        StartCase{"OtherProgram", u"pword.exe", u"Owebook.htm", nullptr},
        StartCase{"ViewerInOtherFolder", u"\\Program Files\\PegHelp.exe", u"Owebook.htm", nullptr},
        StartCase{"NoProgram", nullptr, u"Owebook.htm", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProcessStartTest, NoViewerOnThisDesktopIsAQuietFailure)
{
    FakeViewer none(FakeViewer::MISSING);
    SetLastError(0);
    EXPECT_FALSE(CreateProcessW(u"PegHelp.exe", u"Owebook.htm", nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                                nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// The viewer's own failure comes after the start: the start succeeded, and
// the ended viewer does not stay behind as a zombie.
TEST_F(ProcessStartTest, AFailingViewerIsStartedAndReaped)
{
    FakeViewer failing(FakeViewer::FAILING);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(u"PegHelp.exe", u"Owebook.htm", nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                               &info));
    EXPECT_EQ(info.hProcess, nullptr);
    ASSERT_GT(info.dwProcessId, 0u);
    EXPECT_EQ(failing.AwaitStarts().size(), 1u);
    const pid_t pid = static_cast<pid_t>(info.dwProcessId);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::kill(pid, 0) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(::kill(pid, 0), -1) << "the viewer's process is gone, zombie included";
    EXPECT_EQ(errno, ESRCH);
}

}  // namespace
