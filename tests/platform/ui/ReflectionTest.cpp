// Reflected notifications: a control handles its own notification, and with
// the _EX forms may let the parent have it too. Handlers may destroy the
// control that notified.

#include "UiTest.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

class CReflectingControl : public CWnd {
public:
    BOOL passOn = FALSE;
    BOOL destroySelf = FALSE;

    void OnReflectedClick() { g_calls.push_back("control clicked"); }
    BOOL OnReflectedChange()
    {
        g_calls.push_back("control change");
        if (destroySelf)
            DestroyWindow();
        return !passOn;
    }
    void OnReflectedNotify(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("control notify");
        *result = 9;
    }
    BOOL OnReflectedNotifyEx(NMHDR*, LRESULT*)
    {
        g_calls.push_back("control notify ex");
        return passOn ? FALSE : TRUE;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingControl, CWnd)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnReflectedChange)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedNotify)
    ON_NOTIFY_REFLECT_EX(NM_DBLCLK, OnReflectedNotifyEx)
END_MESSAGE_MAP()

class CParent : public CWnd {
public:
    BOOL destroyChild = FALSE;
    HWND child = nullptr;

    void OnClicked() { g_calls.push_back("parent clicked"); }
    void OnChange()
    {
        g_calls.push_back("parent change");
        if (destroyChild)
            ::DestroyWindow(child);
    }
    void OnNotifyClick(NMHDR*, LRESULT*) { g_calls.push_back("parent notify"); }
    void OnNotifyDbl(NMHDR*, LRESULT* result)
    {
        g_calls.push_back("parent notify dbl");
        *result = 3;
    }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
    ON_BN_CLICKED(10, OnClicked)
    ON_EN_CHANGE(10, OnChange)
    ON_NOTIFY(NM_CLICK, 10, OnNotifyClick)
    ON_NOTIFY(NM_DBLCLK, 10, OnNotifyDbl)
END_MESSAGE_MAP()

class ReflectionTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_calls.clear();
        ASSERT_TRUE(MakeTopLevel(&parent));
        ASSERT_TRUE(MakeChild(parent.m_hWnd, 10, &control));
        parent.child = control.m_hWnd;
    }
    void Command(UINT code) { parent.SendMessage(WM_COMMAND, MAKEWPARAM(10, code), reinterpret_cast<LPARAM>(parent.child)); }
    LRESULT Notify(UINT code)
    {
        NMHDR hdr{control.m_hWnd, 10, code};
        return parent.SendMessage(WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&hdr));
    }
    CParent parent;
    CReflectingControl control;
};

}  // namespace

TEST_F(ReflectionTest, PlainReflectionKeepsTheNotificationFromTheParent)
{
    Command(BN_CLICKED);
    EXPECT_EQ(Notify(NM_CLICK), 9);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"control clicked", "control notify"}));
}

TEST_F(ReflectionTest, ExFormDecidesWhetherTheParentAlsoGetsIt)
{
    struct Case {
        BOOL passOn;
        std::vector<std::string> expected;
        LRESULT dblResult;
    };
    const Case cases[] = {
        {FALSE, {"control change", "control notify ex"}, 0},
        {TRUE, {"control change", "parent change", "control notify ex", "parent notify dbl"}, 3},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        control.passOn = c.passOn;
        Command(EN_CHANGE);
        EXPECT_EQ(Notify(NM_DBLCLK), c.dblResult);
        EXPECT_EQ(g_calls, c.expected) << "passOn " << c.passOn;
    }
}

TEST_F(ReflectionTest, ControlDestroyedByItsOwnReflectedHandler)
{
    control.destroySelf = TRUE;
    control.passOn = TRUE;
    const HWND hwnd = control.m_hWnd;
    Command(EN_CHANGE);
    EXPECT_FALSE(::IsWindow(hwnd));
    // The parent still hears of it, and finds the control's handle refused.
    EXPECT_EQ(g_calls, (std::vector<std::string>{"control change", "parent change"}));
}

TEST_F(ReflectionTest, ParentDestroyingTheNotifyingControl)
{
    parent.destroyChild = TRUE;
    control.passOn = TRUE;
    Command(EN_CHANGE);
    EXPECT_FALSE(::IsWindow(parent.child));
    EXPECT_EQ(control.m_hWnd, nullptr);
    Command(EN_CHANGE);   // from a stale control: the parent's map still answers, nobody crashes
    EXPECT_EQ(g_calls.back(), "parent change");
}
