// Property sheets: pages in tab order, a page made the first time it shows,
// the current page asked before it is left, apply from the caption's "ok",
// cancel, a page ending the sheet with its own code, tabs at the bottom.

#include "UiTest.h"

#include "platform/testing/ScriptedUser.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/propsheet/CPropertyPage.h"
#include "platform/ui/controls/propsheet/CPropertySheet.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"
#include "platform/ui/controls/propsheet/TabStripWidget.h"

#include <QTabBar>

#include <string>
#include <vector>

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

namespace {

constexpr UINT kFirstPage = 9201;
constexpr UINT kSecondPage = 9202;
constexpr int kField = 1147;
constexpr int kEnd = 1172;

void RegisterPages()
{
    for (UINT id : {kFirstPage, kSecondPage})
        platform::RegisterDialog({id, id == kFirstPage ? u"General" : u"Dates and Alarms",
                                  WS_POPUP | WS_CAPTION, 0, 0, 0, 127, 116, u"Tahoma", 9,
                                  {
                                      {u"", kField, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 43, 26, 72, 12},
                                      {u"Cancel", IDCANCEL, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 40, 95, 31, 10},
                                      {u"Delete...", kEnd, WC_BUTTON, WS_VISIBLE | WS_TABSTOP, 75, 95, 38, 10},
                                  }});
}

// Notes what the sheet asks of it in a log shared by the pages.
class CLogPage : public CPropertyPage {
public:
    CLogPage(UINT id, std::string name, std::vector<std::string>& log)
        : CPropertyPage(id), m_name(std::move(name)), m_log(log)
    {
    }
    BOOL OnInitDialog() override
    {
        m_log.push_back("init " + m_name);
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        m_log.push_back("setactive " + m_name);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        m_log.push_back("killactive " + m_name);
        return refuseLeave ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        m_log.push_back("apply " + m_name);
        return refuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        m_log.push_back("reset " + m_name);
        CPropertyPage::OnReset();
    }
    void OnEnd() { EndSheet(endCode); }

    bool refuseLeave = false;
    bool refuseApply = false;
    int endCode = 1172;

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

BEGIN_MESSAGE_MAP(CLogPage, CPropertyPage)
    ON_COMMAND(kEnd, OnEnd)
END_MESSAGE_MAP()

using Log = std::vector<std::string>;

class PropertySheetTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterPages();
    }

    Log log;
    CLogPage first{kFirstPage, "A", log};
    CLogPage second{kSecondPage, "B", log};
    CPropertySheet sheet{u"Details"};

    void AddBoth()
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
    }
    bool TapTab(int index) { return platform::PickTab(sheet.GetTabControl(), index); }
};

}  // namespace

TEST_F(PropertySheetTest, PagesComeInOrderAndTheSecondIsMadeWhenFirstShown)
{
    AddBoth();
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Check([&](DialogDriver&) {
            HWND tabs = sheet.GetTabControl();
            ASSERT_EQ(::SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
            WCHAR text[40]{};
            TCITEM item{TCIF_TEXT, 0, 0, text, 40, 0, 0};
            ::SendMessage(tabs, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item));
            EXPECT_EQ(CString(text), CString(u"Dates and Alarms"));
            EXPECT_NE(first.m_hWnd, nullptr);
            EXPECT_EQ(second.m_hWnd, nullptr) << "made only when first turned to";
            EXPECT_EQ(sheet.GetActivePage(), &first);
        })
        .Do([&](DialogDriver&) { EXPECT_TRUE(TapTab(1)); })
        .Check([&](DialogDriver&) {
            EXPECT_EQ(sheet.GetActiveIndex(), 1);
            EXPECT_TRUE(::IsWindowVisible(second.m_hWnd));
            EXPECT_FALSE(::IsWindowVisible(first.m_hWnd));
        })
        .Do([&](DialogDriver&) { EXPECT_TRUE(TapTab(0)); })
        .TapOk();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(log, (Log{"init A", "setactive A", "killactive A", "init B", "setactive B", "killactive B",
                        "setactive A", "killactive A", "apply A", "apply B"}));
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftKeepsItsTab)
{
    AddBoth();
    first.refuseLeave = true;
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([&](DialogDriver&) { EXPECT_FALSE(TapTab(1)); })
        .Check([&](DialogDriver&) {
            EXPECT_EQ(::SendMessage(sheet.GetTabControl(), TCM_GETCURSEL, 0, 0), 0);
            EXPECT_EQ(second.m_hWnd, nullptr);
            EXPECT_FALSE(sheet.SetActivePage(1));
        })
        .TapOk()   // refused too: the page is asked before the sheet applies
        .Check([](DialogDriver& d) { EXPECT_TRUE(d.IsOpen()); })
        .CloseWindow();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (Log{"init A", "setactive A", "killactive A", "killactive A", "killactive A", "reset A"}));
}

TEST_F(PropertySheetTest, APageThatRefusesToApplyIsShownAndTheSheetStays)
{
    AddBoth();
    first.refuseApply = true;
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([&](DialogDriver&) { TapTab(1); })
        .TapOk()
        .Check([&](DialogDriver& d) {
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(sheet.GetActivePage(), &first);
        })
        .Do([&](DialogDriver&) { first.refuseApply = false; })
        .TapOk();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(log, (Log{"init A", "setactive A", "killactive A", "init B", "setactive B", "killactive B", "apply A",
                        "setactive A", "killactive A", "apply A", "apply B"}));
}

TEST_F(PropertySheetTest, ResultCodes)
{
    struct Case {
        const char* what;
        std::function<void(platform::testing::Scene&)> act;
        INT_PTR expected;
        Log expectedLog;
    };
    const std::vector<Case> cases = {
        {"a page's own code", [](auto& s) { s.Tap(kEnd); }, 1172, {"init A", "setactive A"}},
        {"the page's Cancel button", [](auto& s) { s.Tap(IDCANCEL); }, IDCANCEL, {"init A", "setactive A", "reset A"}},
        {"Escape", [](auto& s) { s.PressKey(VK_ESCAPE); }, IDCANCEL, {"init A", "setactive A", "reset A"}},
        {"the desktop's close button", [](auto& s) { s.CloseWindow(); }, IDCANCEL,
         {"init A", "setactive A", "reset A"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        CLogPage page{kFirstPage, "A", log};
        page.endCode = 1172;
        CPropertySheet one{u"Details"};
        one.AddPage(&page);
        ScriptedUser user;
        platform::testing::Scene& scene = user.ExpectDialogCaption(u"Details");
        scene.Do([](DialogDriver& d) { d.Focus(kField); });
        c.act(scene);
        EXPECT_EQ(one.DoModal(), c.expected);
        EXPECT_EQ(log, c.expectedLog);
    }
}

TEST_F(PropertySheetTest, TabsSitAtTheBottomAboveTheCommandBarStrip)
{
    AddBoth();
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Check([&](DialogDriver& d) {
            RECT client{}, tabs{};
            ::GetClientRect(d.Hwnd(), &client);
            ::GetWindowRect(sheet.GetTabControl(), &tabs);
            POINT bottom{tabs.left, tabs.bottom};
            ::ScreenToClient(d.Hwnd(), &bottom);
            EXPECT_EQ(bottom.y, client.bottom - platform::kCommandBarHeight);
            EXPECT_EQ(tabs.right - tabs.left, client.right);
            platform::Window* w = platform::LookupWindow(sheet.GetTabControl());
            auto* bar = qobject_cast<QTabBar*>(w->widget.data());
            ASSERT_NE(bar, nullptr);
            EXPECT_EQ(bar->shape(), QTabBar::RoundedSouth);
            RECT page{};
            ::GetClientRect(first.m_hWnd, &page);
            EXPECT_EQ(page.bottom, client.bottom) << "the page reaches under the tabs for its menu bar";
        })
        .TapOk();
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(PropertySheetTest, ASheetWithoutPagesDoesNotRun) { EXPECT_EQ(sheet.DoModal(), -1); }
