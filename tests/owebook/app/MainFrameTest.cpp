#include "AppTestEnv.h"

#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"
#include "platform/ui/ResourceRegistry.h"

#include <vector>

namespace {

struct Entry {
    UINT id;   // 0: separator
    const char16_t* text;
};

std::vector<Entry> PopupEntries(HMENU menu)
{
    std::vector<Entry> entries;
    static std::vector<CString> texts;   // keeps the texts alive for the comparison
    texts.clear();
    texts.reserve(16);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        WCHAR text[64] = {};
        GetMenuString(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        texts.emplace_back(text);
        entries.push_back({GetMenuItemID(menu, i), texts.back().GetString()});
    }
    return entries;
}

bool operator==(const Entry& a, const Entry& b) { return a.id == b.id && CString(a.text) == CString(b.text); }

void PrintTo(const Entry& e, std::ostream* os) { *os << e.id << " " << CString(e.text).ToUtf8(); }

class MainFrameTest : public AppTest {
protected:
    HWND Bar() const { return ::GetDlgItem(Frame()->m_hWnd, AFX_IDW_TOOLBAR); }
};

TEST_F(MainFrameTest, CommandBarCarriesTheMenuBarThenNewAndSixToolTips)
{
    ASSERT_TRUE(StartClosingHome());
    platform::CommandBarState* bar = platform::CommandBarStateOf(Bar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(Bar(), Frame()->m_cmdBar.m_hWnd);

    struct Button {
        UINT command;
        const char16_t* label;
        int popup;
    };
    const std::vector<Button> expected = {
        {32870, u"View", 0}, {32807, u"Tools", 1}, {57670, u"Help", 2}, {ID_FILE_NEW, u"New", -1}};
    ASSERT_EQ(bar->buttons.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bar->buttons[i].command, expected[i].command);
        EXPECT_EQ(bar->buttons[i].label, CString(expected[i].label));
        EXPECT_EQ(bar->buttons[i].popup, expected[i].popup);
    }
    // Six tool tips, heap copies handed to the bar in order.
    const std::vector<CString> tips = {u"Item", u"Help", u"Cut", u"Copy", u"Paste", u"About"};
    for (int i = 0; i < TOOLTIP_COUNT; ++i) {
        ASSERT_NE(Frame()->m_apszToolTips[i], nullptr);
        EXPECT_EQ(CString(Frame()->m_apszToolTips[i]), tips[i]);
    }
    EXPECT_EQ(bar->tips, tips);
    EXPECT_EQ(bar->adornments, 0u);
    EXPECT_EQ(bar->barStyle & 0x32u, 0x32u) << "tool tips, fly-by and fixed size";
    EXPECT_EQ(bar->barStyle & CBRS_TOP, CBRS_TOP);
    EXPECT_TRUE(::IsWindowVisible(Bar()));
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLong(Bar(), GWL_STYLE)) & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
}

TEST_F(MainFrameTest, PopupsListTheCommandsOfViewToolsAndHelp)
{
    ASSERT_TRUE(StartClosingHome());
    CMenu* menu = Frame()->m_cmdBar.GetMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetMenuItemCount(), 3u);

    const std::vector<std::vector<Entry>> expected = {
        {{32910, u"Home"}, {0, u""}, {32871, u"What I Owe"}, {32809, u"What's Owed to Me"}, {32810, u"What's Due"},
         {32869, u"All Items"}},
        {{32909, u"Edit Categories..."}, {0, u""}, {32923, u"E&xit"}},
        {{57670, u"Using Owebook"}, {0, u""}, {57664, u"About Owebook"}},
    };
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        CMenu* popup = menu->GetSubMenu(p);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(PopupEntries(popup->m_hMenu), expected[p]);
    }
}

TEST_F(MainFrameTest, AlarmMessageAsksTheApplicationAndAfterSyncDoesNothing)
{
    ASSERT_TRUE(StartClosingHome());
    for (BOOL shown : {FALSE, TRUE}) {
        m_app.m_bAlarmShown = shown;
        EXPECT_EQ(Frame()->SendMessage(WM_OWEBOOK_ALARM, 0, 0), shown);
    }
    EXPECT_EQ(m_app.m_nAlarms, 2);

    // Posted, as a second launch does: the application loop delivers it.
    ::PostMessage(Frame()->m_hWnd, WM_OWEBOOK_ALARM, 0, 0);
    ::PostMessage(Frame()->m_hWnd, WM_OWEBOOK_AFTERSYNC, 0, 0);  // not acted upon
    platform::testing::ProcessEvents();
    EXPECT_EQ(m_app.m_nAlarms, 3);
    EXPECT_NE(Frame(), nullptr);
}

// A menu bar whose menu does not exist: the bar cannot take it.
TEST_F(MainFrameTest, FrameWhoseCommandBarFailsIsNotCreatedAndStartUpFails)
{
    platform::RegisterMenuBar({IDR_MAIN_MENU, 9999, {{32870, IDS_MENU_VIEW, 0}}});

    EXPECT_FALSE(m_app.InitInstance());

    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(TopLevelWindows(), 0);
    POSITION pos = m_app.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = m_app.GetNextDocTemplate(pos);
    ASSERT_NE(pTemplate, nullptr);
    EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr) << "the document went with the frame";
}

// About and Help: AboutHelpCommandTest.cpp.
TEST_F(AppTest, ExitPostsQuitZero)
{
    ASSERT_TRUE(StartClosingHome());
    const int windowsBefore = TopLevelWindows();

    Frame()->SendMessage(WM_COMMAND, ID_TOOLS_EXIT, 0);
    platform::testing::ProcessEvents();

    int code = -1;
    EXPECT_TRUE(platform::MessageLoop::QuitPending(&code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(TopLevelWindows(), windowsBefore);
    EXPECT_NE(Frame(), nullptr);
}

}  // namespace
