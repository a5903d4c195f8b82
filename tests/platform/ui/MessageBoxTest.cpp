// Message boxes, answered by the scripted user.

#include "UiTest.h"

#include "platform/testing/ScriptedUser.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ResourceRegistry.h"

#include <gtest/gtest-spi.h>

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

using MessageBoxTest = UiTest;

TEST_F(MessageBoxTest, AnsweredWithEachButtonOrKey)
{
    struct Case {
        const char* how;
        UINT type;
        std::function<void(DialogDriver&)> act;
        int result;
    };
    const Case cases[] = {
        {"OK of an OK box", MB_OK, [](DialogDriver& d) { d.Answer(IDOK); }, IDOK},
        {"Escape in an OK box", MB_OK, [](DialogDriver& d) { d.PressKey(VK_ESCAPE); }, IDOK},
        {"Enter in an OK box", MB_OK | MB_ICONEXCLAMATION, [](DialogDriver& d) { d.PressKey(VK_RETURN); }, IDOK},
        {"OK of OK/Cancel", MB_OKCANCEL, [](DialogDriver& d) { d.Answer(IDOK); }, IDOK},
        {"Cancel of OK/Cancel", MB_OKCANCEL | MB_ICONINFORMATION, [](DialogDriver& d) { d.Answer(IDCANCEL); }, IDCANCEL},
        {"Escape in OK/Cancel", MB_OKCANCEL, [](DialogDriver& d) { d.PressKey(VK_ESCAPE); }, IDCANCEL},
        {"closing OK/Cancel", MB_OKCANCEL, [](DialogDriver& d) { d.CloseWindow(); }, IDCANCEL},
        {"Enter with the second button default", MB_OKCANCEL | MB_DEFBUTTON2,
         [](DialogDriver& d) { d.PressKey(VK_RETURN); }, IDCANCEL},
        {"No of Yes/No", MB_YESNO, [](DialogDriver& d) { d.Answer(IDNO); }, IDNO},
    };
    for (const Case& c : cases) {
        ScriptedUser user;
        user.ExpectMessageBox(u"Delete Item?").Do(c.act);
        EXPECT_EQ(::MessageBox(nullptr, u"Delete Item?", u"Owebook", c.type), c.result) << c.how;
    }
}

TEST_F(MessageBoxTest, EscapeDoesNothingWithoutCancelOrOnlyOk)
{
    ScriptedUser user;
    bool stillOpen = false;
    user.ExpectMessageBox().PressKey(VK_ESCAPE).Check([&](DialogDriver& d) { stillOpen = d.IsOpen(); }).Answer(IDYES);
    EXPECT_EQ(::MessageBox(nullptr, u"Sure?", u"Owebook", MB_YESNO), IDYES);
    EXPECT_TRUE(stillOpen);
}

TEST_F(MessageBoxTest, ShowsTextCaptionAndButtonsAndBeepsForItsIcon)
{
    std::vector<UINT> beeps;
    platform::SetBeepHandler([&](UINT type) { beeps.push_back(type); });
    ScriptedUser user;
    user.ExpectMessageBox(u"You must enter either Name or Descripton")
        .Check([](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), CString(u"Data missed"));
            EXPECT_EQ(d.Text(IDOK), CString(u"OK"));
            EXPECT_EQ(d.Item(IDCANCEL), nullptr);
            EXPECT_EQ(::GetFocus(), d.Item(IDOK));
            CRect box;
            ::GetWindowRect(d.Hwnd(), &box);
            EXPECT_LE(box.Width(), 240);
            EXPECT_GE(box.top, 26);
            EXPECT_LE(box.bottom, 320);
        })
        .Answer(IDOK);
    ::MessageBox(nullptr, u"You must enter either Name or Descripton", u"Data missed", MB_OK | MB_ICONEXCLAMATION);
    platform::SetBeepHandler({});
    EXPECT_EQ(beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
}

TEST_F(MessageBoxTest, AfxMessageBoxTakesStringIdsAndTheAppTitle)
{
    platform::RegisterString(9105, u"You must enter either Name or Description.");
    platform::SetAppTitle(u"Owebook");
    ScriptedUser user;
    user.ExpectMessageBox(u"You must enter either Name or Description.")
        .Check([](DialogDriver& d) { EXPECT_EQ(d.Caption(), CString(u"Owebook")); })
        .Answer(IDOK);
    EXPECT_EQ(AfxMessageBox(9105u, MB_OK), IDOK);
}

TEST_F(MessageBoxTest, StaleOwnerIsRefused)
{
    HWND gone = MakeTopLevel();
    ::DestroyWindow(gone);
    ScriptedUser user;
    EXPECT_EQ(::MessageBox(gone, u"x", u"y", MB_OK), 0);
}

TEST_F(MessageBoxTest, ScriptedUserFailsClearlyWhenTheDialogNeverComesOrAnotherDoes)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedUser user;
            user.ExpectMessageBox(u"Delete Item?").Answer(IDOK);
        },
        "never came up");
    ScriptedUser user;
    user.ExpectMessageBox(u"Expected").Answer(IDOK);
    int result = 0;
    EXPECT_NONFATAL_FAILURE(result = ::MessageBox(nullptr, u"Surprise", u"Owebook", MB_OKCANCEL),
                            "message box 'Surprise' came up, but the scripted user expected message box 'Expected'");
    EXPECT_EQ(result, IDCANCEL) << "the unexpected box is cancelled so the test goes on";
    EXPECT_EQ(::MessageBox(nullptr, u"Expected", u"Owebook", MB_OKCANCEL), IDOK);
}
