#include "TestClasses.h"

#include "platform/testing/ScriptedUser.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"

namespace {

using Lines = std::vector<std::string>;
using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

TEST_F(FrameworkTest, ModalDialogDeactivatesTheViewAndItsEndReactivatesIt)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    CFrameWnd* pFrame = MainFrame();
    pFrame->ShowWindow(SW_SHOW);
    ASSERT_EQ(CWnd::GetActiveWindow(), pFrame);
    Log().clear();

    ScriptedUser user;
    user.ExpectDialog(fwtest::kModalDialog).Tap(IDOK);
    pFrame->SendMessage(fwtest::kOpenModal);
    user.Verify();

    EXPECT_EQ(Log(), (Lines{"modal open", "view deactivated", "view activated", "modal closed"}));
    EXPECT_EQ(static_cast<CLogFrame*>(pFrame)->m_nModalResult, IDOK);
    EXPECT_EQ(CWnd::GetActiveWindow(), pFrame);
}

TEST_F(FrameworkTest, QuitPostedInsideAModalDialogEndsRunWithItsCode)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    CFrameWnd* pFrame = MainFrame();
    pFrame->ShowWindow(SW_SHOW);
    pFrame->PostMessage(fwtest::kOpenModal);
    Log().clear();

    ScriptedUser user;
    user.ExpectDialog(fwtest::kModalDialog).Do([](DialogDriver&) { ::PostQuitMessage(42); });
    EXPECT_EQ(m_app.Run(), 42);
    user.Verify();

    EXPECT_EQ(static_cast<CLogFrame*>(pFrame)->m_nModalResult, -1) << "the quit ended the dialog's loop";
    EXPECT_EQ(m_app.ExitInstance(), 42);
    EXPECT_FALSE(platform::MessageLoop::QuitPending());
}

}  // namespace
