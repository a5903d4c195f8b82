// Message maps: dispatch by message, command and notification; the walk up
// the class chain; what nobody handles reaching DefWindowProc.

#include "UiTest.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CPaintDC.h"

#include <string>
#include <vector>

namespace {

UINT g_registered = 0;

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> calls;

    void OnCommandA() { calls.push_back("base A"); }
    void OnCommandB() { calls.push_back("base B"); }
    void OnRange(UINT id) { calls.push_back("base range " + std::to_string(id)); }
    void OnUpdateA(CCmdUI* ui) { ui->Enable(FALSE); calls.push_back("base update A"); }
    void OnChar(UINT nChar, UINT nRepCnt, UINT) { calls.push_back("base char " + std::to_string(nChar) + "x" + std::to_string(nRepCnt)); }
    LRESULT OnPrivate(WPARAM w, LPARAM l) { calls.push_back("base private"); return static_cast<LRESULT>(w + l); }
    LRESULT OnRegistered(WPARAM, LPARAM) { calls.push_back("base registered"); return 77; }
    void OnClickList(NMHDR* hdr, LRESULT* result) { calls.push_back("base notify " + std::to_string(hdr->idFrom)); *result = 5; }
    void OnSelChange() { calls.push_back("base selchange"); }
    void OnSize(UINT, int cx, int cy) { calls.push_back("base size " + std::to_string(cx) + "x" + std::to_string(cy)); }

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_USER + 50)
            calls.push_back("default");
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_COMMAND(100, OnCommandA)
    ON_COMMAND(101, OnCommandB)
    ON_COMMAND_RANGE(200, 210, OnRange)
    ON_UPDATE_COMMAND_UI(100, OnUpdateA)
    ON_WM_CHAR()
    ON_WM_SIZE()
    ON_MESSAGE(WM_USER + 1, OnPrivate)
    ON_REGISTERED_MESSAGE(g_registered, OnRegistered)
    ON_NOTIFY(NM_CLICK, 1073, OnClickList)
    ON_CBN_SELCHANGE(1125, OnSelChange)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    void OnCommandA() { calls.push_back("derived A"); }
    void OnChar(UINT nChar, UINT, UINT) { calls.push_back("derived char " + std::to_string(nChar)); CBaseWnd::OnChar(nChar, 1, 0); }
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        HBRUSH brush = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        calls.push_back("derived ctlcolor " + std::to_string(nCtlColor) + " id " + std::to_string(pWnd ? pWnd->GetDlgCtrlID() : 0));
        return brush;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_COMMAND(100, OnCommandA)
    ON_COMMAND(205, CBaseWnd::OnCommandB)   // a base class's handler, named through the base
    ON_WM_CHAR()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class MessageMapTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_registered = ::RegisterWindowMessage(u"OwebookTestMessage");
        top = MakeTopLevel(&wnd);
        ASSERT_TRUE(top);
        wnd.calls.clear();
    }
    CDerivedWnd wnd;
    HWND top = nullptr;
};

}  // namespace

TEST_F(MessageMapTest, CommandsFindTheMostDerivedHandlerThenWalkUp)
{
    struct Case {
        UINT id;
        std::string expected;
    };
    const Case cases[] = {
        {100, "derived A"},          // the derived map wins
        {101, "base B"},             // only the base map has it
        {205, "base B"},             // derived entry naming the base's handler, before the base's range
        {203, "base range 203"},     // range entries get the id
        {210, "base range 210"},
    };
    for (const Case& c : cases) {
        wnd.calls.clear();
        EXPECT_TRUE(wnd.OnCmdMsg(c.id, CN_COMMAND, nullptr, nullptr)) << c.id;
        EXPECT_EQ(wnd.calls, std::vector<std::string>{c.expected}) << c.id;
    }
    wnd.calls.clear();
    EXPECT_FALSE(wnd.OnCmdMsg(211, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(wnd.calls.empty());
}

TEST_F(MessageMapTest, WmCommandFromMenuRespectsUpdateHandler)
{
    // Command 100 has an update handler that disables it: the menu command is dropped.
    ::SendMessage(top, WM_COMMAND, MAKEWPARAM(100, 0), 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"base update A"}));
    wnd.calls.clear();
    ::SendMessage(top, WM_COMMAND, MAKEWPARAM(101, 0), 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"base B"}));
}

TEST_F(MessageMapTest, UpdateUiEnablesExactlyWhenSomeoneHandlesTheCommand)
{
    struct Case {
        UINT id;
        BOOL enabled;
    };
    for (const Case& c : {Case{100, FALSE}, Case{101, TRUE}, Case{204, TRUE}, Case{999, FALSE}}) {
        CCmdUI ui;
        ui.m_nID = c.id;
        ui.DoUpdate(&wnd, TRUE);
        EXPECT_EQ(ui.m_bEnabled, c.enabled) << c.id;
    }
    wnd.calls.clear();
    CCmdUI ui;
    ui.m_nID = 101;
    ui.DoUpdate(&wnd, TRUE);
    EXPECT_TRUE(wnd.calls.empty()) << "asking whether a handler exists does not call it";
}

TEST_F(MessageMapTest, WindowMessagesReachHandlersWithTheirArguments)
{
    ::SendMessage(top, WM_CHAR, 'a', MAKELPARAM(3, 0));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"derived char 97", "base char 97x1"}));
    wnd.calls.clear();
    EXPECT_EQ(::SendMessage(top, WM_USER + 1, 40, 2), 42);
    EXPECT_EQ(::SendMessage(top, g_registered, 0, 0), 77);
    ::SendMessage(top, WM_SIZE, SIZE_RESTORED, MAKELPARAM(120, 80));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"base private", "base registered", "base size 120x80"}));
}

TEST_F(MessageMapTest, RegisteredMessagesAreStableAndDistinct)
{
    EXPECT_GE(g_registered, WM_REGISTERED_FIRST);
    EXPECT_EQ(::RegisterWindowMessage(u"owebooktestmessage"), g_registered);
    EXPECT_NE(::RegisterWindowMessage(u"Another"), g_registered);
    EXPECT_EQ(::RegisterWindowMessage(u""), 0u);
}

TEST_F(MessageMapTest, UnhandledMessagesGoToDefWindowProc)
{
    ::SendMessage(top, WM_USER + 50, 0, 0);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"default"}));
}

TEST_F(MessageMapTest, NotificationsFromChildrenByCodeAndId)
{
    HWND list = MakeChild(top, 1073);
    HWND combo = MakeChild(top, 1125);
    NMHDR hdr{list, 1073, NM_CLICK};
    EXPECT_EQ(::SendMessage(top, WM_NOTIFY, 1073, reinterpret_cast<LPARAM>(&hdr)), 5);
    NMHDR other{list, 1073, NM_DBLCLK};
    EXPECT_EQ(::SendMessage(top, WM_NOTIFY, 1073, reinterpret_cast<LPARAM>(&other)), 0);
    ::SendMessage(top, WM_COMMAND, MAKEWPARAM(1125, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    ::SendMessage(top, WM_COMMAND, MAKEWPARAM(1125, CBN_KILLFOCUS), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"base notify 1073", "base selchange"}));
}

TEST_F(MessageMapTest, CtlColorGivesKindAndControlAndDefaultBrush)
{
    HWND label = MakeChild(top, 1164);
    CDC* dc = CDC::FromHandle(::GetDC(label));
    ASSERT_NE(dc, nullptr);
    LRESULT brush = ::SendMessage(top, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc->m_hDC),
                                  reinterpret_cast<LPARAM>(label));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), ::GetSysColorBrush(COLOR_STATIC));
    EXPECT_EQ(dc->GetTextColor(), ::GetSysColor(COLOR_STATICTEXT));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"derived ctlcolor 6 id 1164"}));
    ::ReleaseDC(label, dc->m_hDC);
}
