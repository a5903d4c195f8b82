// Posted messages and the loops: a WM_QUIT ends the modal loops it finds and
// then the application's loop, which returns its code.

#include "TestDialogs.h"
#include "TestEdit.h"
#include "UiTest.h"

#include "platform/testing/ScriptedUser.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/MessageLoop.h"

using platform::MessageLoop;
using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

namespace {

constexpr UINT WM_OPEN_DIALOG = WM_USER + 10;
constexpr UINT WM_RECORD = WM_USER + 11;

class CDriver : public CWnd {
public:
    std::vector<std::string> log;
    std::vector<INT_PTR> results;

protected:
    LRESULT OnOpenDialog(WPARAM depth, LPARAM)
    {
        log.push_back("open " + std::to_string(depth));
        CDialog dlg(testdlg::kDetails, this);
        results.push_back(dlg.DoModal());
        log.push_back("closed " + std::to_string(depth));
        return 0;
    }
    LRESULT OnRecord(WPARAM value, LPARAM)
    {
        log.push_back("posted " + std::to_string(value));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDriver, CWnd)
    ON_MESSAGE(WM_OPEN_DIALOG, OnOpenDialog)
    ON_MESSAGE(WM_RECORD, OnRecord)
END_MESSAGE_MAP()

class MessageLoopTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        CTestEdit::Register();
        testdlg::Register();
        ASSERT_TRUE(MakeTopLevel(&driver));
    }
    CDriver driver;
};

}  // namespace

TEST_F(MessageLoopTest, QuitPostedInNestedModalLoopsEndsThemAllThenRunWithItsCode)
{
    ScriptedUser user;
    // The outer dialog opens an inner one; inside the inner one the quit is posted.
    user.ExpectDialog(testdlg::kDetails).Do([&](DialogDriver&) { driver.SendMessage(WM_OPEN_DIALOG, 2); });
    user.ExpectDialog(testdlg::kDetails).Do([&](DialogDriver&) {
        ::PostMessage(driver.m_hWnd, WM_RECORD, 1, 0);
        ::PostQuitMessage(7);
        ::PostMessage(driver.m_hWnd, WM_RECORD, 2, 0);
    });
    driver.PostMessage(WM_OPEN_DIALOG, 1);
    const int code = MessageLoop::Run();

    EXPECT_EQ(code, 7);
    EXPECT_EQ(driver.results, (std::vector<INT_PTR>{-1, -1})) << "a quit ends a modal dialog with -1";
    EXPECT_EQ(driver.log, (std::vector<std::string>{"open 1", "open 2", "posted 1", "posted 2", "closed 2", "closed 1"}))
        << "messages posted before the quit, and those queued with it, are dispatched first";
    EXPECT_FALSE(MessageLoop::QuitPending()) << "Run consumes the quit";
}

TEST_F(MessageLoopTest, QuitPendingBeforeAModalDialogKeepsItFromRunning)
{
    ::PostQuitMessage(3);
    platform::testing::ProcessEvents();
    ASSERT_TRUE(MessageLoop::QuitPending());
    ScriptedUser user;
    user.ExpectDialog(testdlg::kDetails).Tap(IDCANCEL);   // comes up, but its loop ends at once
    CDialog dlg(testdlg::kDetails);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(MessageLoop::Run(), 3);
}

TEST_F(MessageLoopTest, PostedMessagesArriveInOrderAndNotForDeadWindows)
{
    HWND doomed = MakeChild(driver.m_hWnd, 5);
    driver.PostMessage(WM_RECORD, 1);
    ::PostMessage(doomed, WM_RECORD, 99, 0);
    driver.PostMessage(WM_RECORD, 2);
    ::DestroyWindow(doomed);
    EXPECT_FALSE(::PostMessage(doomed, WM_RECORD, 100, 0));
    ::PostQuitMessage(0);
    EXPECT_EQ(MessageLoop::Run(), 0);
    EXPECT_EQ(driver.log, (std::vector<std::string>{"posted 1", "posted 2"}));
}

TEST_F(MessageLoopTest, PumpMessageReportsTheQuit)
{
    driver.PostMessage(WM_RECORD, 1);
    EXPECT_TRUE(MessageLoop::PumpMessage());
    ::PostQuitMessage(5);
    while (MessageLoop::PumpMessage()) {
    }
    int code = 0;
    EXPECT_TRUE(MessageLoop::QuitPending(&code));
    EXPECT_EQ(code, 5);
    EXPECT_EQ(driver.log, std::vector<std::string>{"posted 1"});
}

TEST_F(MessageLoopTest, TimersDeliverWmTimerUntilKilled)
{
    class CTicker : public CWnd {
    public:
        int ticks = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_TIMER && wParam == 3 && ++ticks == 2) {
                KillTimer(3);
                ::PostQuitMessage(0);
            }
            return CWnd::WindowProc(message, wParam, lParam);
        }
    };
    CTicker ticker;
    ASSERT_TRUE(MakeChild(driver.m_hWnd, 8, &ticker));
    EXPECT_EQ(ticker.SetTimer(3, 1), 3u);
    MessageLoop::Run();
    EXPECT_EQ(ticker.ticks, 2);
    EXPECT_FALSE(ticker.KillTimer(3));
}
