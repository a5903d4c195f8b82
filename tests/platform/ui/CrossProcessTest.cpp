// Windows across processes: this process's windows and another Owebook
// process's announced ones in EnumWindows, their process, posting to them and
// bringing them forward; the "with owned windows" bit.

#include "UiChildProcess.h"
#include "UiTest.h"

#include "platform/system/MessageFilter.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/RemoteWindows.h"
#include "platform/ui/MessageLoop.h"

#include <QSocketNotifier>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <unistd.h>

namespace {

constexpr UINT kAlarm = 0x4C9;

std::string Number(HWND hwnd) { return std::to_string(reinterpret_cast<std::uintptr_t>(hwnd)); }

// A private runtime folder (announcements and sockets) for the test.
class ScopedRuntimeDir {
public:
    ScopedRuntimeDir()
    {
        char pattern[] = "/tmp/owebook-uitest-XXXXXX";
        if (mkdtemp(pattern))
            m_root = pattern;
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            m_saved = old, m_hadSaved = true;
        setenv("XDG_RUNTIME_DIR", m_root.c_str(), 1);
    }
    ~ScopedRuntimeDir()
    {
        if (m_hadSaved)
            setenv("XDG_RUNTIME_DIR", m_saved.c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
    std::string m_saved;
    bool m_hadSaved = false;
};

struct Listing {
    std::vector<HWND> windows;
    std::vector<DWORD> pids;
};

BOOL Collect(HWND hwnd, LPARAM lParam)
{
    auto* listing = reinterpret_cast<Listing*>(lParam);
    DWORD pid = 0;
    if (GetWindowThreadProcessId(hwnd, &pid) != 0) {
        listing->windows.push_back(hwnd);
        listing->pids.push_back(pid);
    }
    return TRUE;
}

Listing ListWindows()
{
    Listing listing;
    EXPECT_TRUE(EnumWindows(Collect, reinterpret_cast<LPARAM>(&listing)));
    return listing;
}

std::set<HWND> WindowsOf(const Listing& listing, DWORD pid)
{
    std::set<HWND> windows;
    for (std::size_t i = 0; i < listing.windows.size(); ++i)
        if (listing.pids[i] == pid)
            windows.insert(listing.windows[i]);
    return windows;
}

HWND Remote(pid_t pid, const std::string& handle)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(
        platform::MakeRemoteWindow(static_cast<DWORD>(pid), static_cast<std::uint32_t>(std::stoul(handle)))));
}

HWND WithOwned(HWND hwnd) { return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(hwnd) | 1); }

// The child's windows: report what reaches them once the child is ready.
bool g_reporting = false;

class CReportingWnd : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (g_reporting && message == kAlarm)
            uitest::Report("message " + Number(m_hWnd) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
        if (g_reporting && message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
            uitest::Report("active " + Number(m_hWnd));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Runs only in the child that CrossProcessTest starts: two frames, the second
// active, serving until its input closes.
TEST(CrossProcessChild, ServesTwoWindowsWhenStartedByTheTest)
{
    if (!uitest::InChild())
        GTEST_SKIP() << "runs in the child process of CrossProcessTest";
    platform::testing::ResetUi();
    ChangeWindowMessageFilter(kAlarm, MSGFLT_ADD);
    CReportingWnd first, second;
    ASSERT_TRUE(first.CreateEx(0, u"TestFrame", u"First", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 240, 294,
                               nullptr, nullptr));
    ASSERT_TRUE(second.CreateEx(0, u"TestFrame", u"Second", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 240, 294,
                                nullptr, nullptr));
    ::SetActiveWindow(second);
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&input] {
        char byte;
        if (read(0, &byte, 1) <= 0) {
            input.setEnabled(false);
            PostQuitMessage(0);
        }
    });
    g_reporting = true;
    uitest::Report("ready " + Number(first) + " " + Number(second));
    platform::MessageLoop::Run();
    g_reporting = false;
    platform::testing::ResetUi();
    // The parent judges by the exit code; the leak check of a harness child
    // (the font library's caches) would only blur it.
    std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
}

class CrossProcessTest : public UiTest {
protected:
    ScopedRuntimeDir m_runtime;
};

TEST_F(CrossProcessTest, ChildProcessWindowsAreListedReachedAndForgottenWhenItEnds)
{
    const std::string trace = m_runtime.Root() + "/trace";
    HWND own = MakeTopLevel();
    ASSERT_NE(own, nullptr);

    uitest::UiChildProcess child("CrossProcessChild.*", {"OWEBOOK_TRACE=" + trace});
    const std::string ready = child.ReadLine();
    ASSERT_EQ(ready.rfind("ready ", 0), 0u) << ready;
    const std::string first = ready.substr(6, ready.find(' ', 6) - 6);
    const std::string second = ready.substr(ready.find(' ', 6) + 1);
    const HWND remoteFirst = Remote(child.Pid(), first);
    const HWND remoteSecond = Remote(child.Pid(), second);

    const Listing listing = ListWindows();
    ASSERT_FALSE(listing.windows.empty());
    EXPECT_EQ(listing.windows.front(), own) << "this process's windows come first";
    EXPECT_EQ(listing.pids.front(), GetCurrentProcessId());
    EXPECT_EQ(WindowsOf(listing, static_cast<DWORD>(child.Pid())), (std::set<HWND>{remoteFirst, remoteSecond}));
    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(remoteFirst, &pid), static_cast<DWORD>(child.Pid()));
    EXPECT_EQ(pid, static_cast<DWORD>(child.Pid()));
    EXPECT_FALSE(::IsWindow(remoteFirst)) << "not a window of this process";

    EXPECT_FALSE(PostMessageW(remoteFirst, WM_CLOSE, 0, 0)) << "not a message other processes may post";
    EXPECT_TRUE(PostMessageW(remoteFirst, kAlarm, 7, 9));
    EXPECT_EQ(child.ReadLine(), "message " + first + " 0 0") << "parameters stay with their process";
    EXPECT_TRUE(SetForegroundWindow(WithOwned(remoteFirst)));
    EXPECT_EQ(child.ReadLine(), "active " + first);

    child.CloseInput();
    EXPECT_EQ(child.Wait(), 0);
    std::ifstream in(trace);
    const std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(lines.find("remote post queued window=" + first + " message=0x4C9"), std::string::npos) << lines;

    EXPECT_TRUE(WindowsOf(ListWindows(), static_cast<DWORD>(child.Pid())).empty());
    EXPECT_FALSE(PostMessageW(remoteFirst, kAlarm, 0, 0)) << "its process is gone";
    EXPECT_FALSE(SetForegroundWindow(remoteFirst));
}

TEST_F(CrossProcessTest, WindowHandlesLeaveTheOwnedWindowsBitFree)
{
    for (int i = 0; i < 6; ++i) {
        HWND hwnd = MakeTopLevel();
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(hwnd) & 1, 0u);
        EXPECT_FALSE(::IsWindow(WithOwned(hwnd)));
        EXPECT_FALSE(platform::IsRemoteWindow(reinterpret_cast<std::uintptr_t>(hwnd)));
    }
}

TEST_F(CrossProcessTest, OwnedWindowsBitLetsAnEnabledOwnedWindowTakeTheActivation)
{
    HWND frame = MakeTopLevel();
    HWND other = MakeTopLevel(nullptr, u"Other");
    HWND owned = ::CreateWindowEx(0, u"TestFrame", u"Owned", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 200,
                                  200, frame, nullptr, nullptr, nullptr);
    ASSERT_EQ(::GetWindow(owned, GW_OWNER), frame);
    ::EnableWindow(frame, FALSE);   // as under a modal dialog

    ::SetActiveWindow(other);
    EXPECT_TRUE(SetForegroundWindow(WithOwned(frame)));
    EXPECT_EQ(::GetForegroundWindow(), owned);

    ::SetActiveWindow(other);
    ::EnableWindow(frame, TRUE);
    EXPECT_TRUE(SetForegroundWindow(frame));
    EXPECT_EQ(::GetForegroundWindow(), frame) << "without the bit the window itself";
}

TEST_F(CrossProcessTest, ProcessOfAWindowIsThisProcessOrNone)
{
    HWND hwnd = MakeTopLevel();
    DWORD pid = 1;
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, &pid), GetCurrentProcessId());
    EXPECT_EQ(pid, GetCurrentProcessId());

    ::DestroyWindow(hwnd);
    EXPECT_EQ(GetWindowThreadProcessId(hwnd, &pid), 0u) << "stale";
    EXPECT_EQ(pid, 0u);
    EXPECT_EQ(GetWindowThreadProcessId(nullptr, nullptr), 0u);
    const HWND odd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(platform::MakeRemoteWindow(4242, 7)));
    EXPECT_EQ(GetWindowThreadProcessId(odd, &pid), 0u) << "no window has an odd handle";
}

TEST_F(CrossProcessTest, WindowsOfAProcessThatIsNotThereCannotBeReached)
{
    // Pid 0x7ffffff0 is above the kernel's limit: no process has it.
    const HWND nowhere = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(platform::MakeRemoteWindow(0x7ffffff0, 2)));
    EXPECT_FALSE(PostMessageW(nowhere, kAlarm, 0, 0));
    EXPECT_FALSE(SetForegroundWindow(WithOwned(nowhere)));
    EXPECT_EQ(::SendMessage(nowhere, kAlarm, 0, 0), 0);
}

}  // namespace
