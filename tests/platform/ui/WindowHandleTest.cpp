// Window handles stay safe after the window is gone; the basic window state.

#include "UiTest.h"

#include "platform/gdi/CRect.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"

#include <thread>

using platform::testing::MessageRecorder;

namespace {

class CDestroyOnClick : public CWnd {
public:
    int destroyed = 0;

protected:
    void OnLButtonDown(UINT, CPoint) { DestroyWindow(); }
    void OnDestroy() { ++destroyed; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDestroyOnClick, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

class CRefuse : public CWnd {
public:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRefuse, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

}  // namespace

using WindowHandleTest = UiTest;

TEST_F(WindowHandleTest, StaleHandleIsRefusedEverywhere)
{
    HWND top = MakeTopLevel();
    HWND child = MakeChild(top, 7);
    ASSERT_TRUE(::IsWindow(child));
    ASSERT_TRUE(::DestroyWindow(child));

    WCHAR buffer[8] = {u'x', 0};
    RECT rc{1, 2, 3, 4};
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_EQ(::SendMessage(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"x")), 0);
    EXPECT_FALSE(::PostMessage(child, WM_USER, 0, 0));
    EXPECT_FALSE(::SetWindowText(child, u"gone"));
    EXPECT_EQ(::GetWindowText(child, buffer, 8), 0);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_FALSE(::GetClientRect(child, &rc));
    EXPECT_FALSE(::EnableWindow(child, FALSE));
    EXPECT_FALSE(::IsWindowVisible(child));
    EXPECT_FALSE(::DestroyWindow(child));
    EXPECT_EQ(::SetFocus(child), nullptr);
    EXPECT_EQ(::GetDlgItem(top, 7), nullptr);
    EXPECT_EQ(CWnd::FromHandle(child), nullptr);
    EXPECT_EQ(::GetParent(child), nullptr);
}

TEST_F(WindowHandleTest, NewWindowInFreedSlotGetsADifferentHandle)
{
    HWND top = MakeTopLevel();
    HWND first = MakeChild(top, 1);
    ::DestroyWindow(first);
    HWND second = MakeChild(top, 1);
    ASSERT_TRUE(::IsWindow(second));
    EXPECT_NE(first, second);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(::GetDlgItem(top, 1), second);
}

TEST_F(WindowHandleTest, HandlerDestroyingItsOwnWindowIsSafe)
{
    HWND top = MakeTopLevel();
    CDestroyOnClick victim;
    HWND hwnd = MakeChild(top, 3, &victim);
    ASSERT_TRUE(hwnd);
    ::SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(victim.m_hWnd, nullptr);
    EXPECT_EQ(victim.destroyed, 1);
    ::SendMessage(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);   // again, on the stale handle
    EXPECT_EQ(victim.destroyed, 1);
}

TEST_F(WindowHandleTest, DestroyingParentDestroysChildrenFirstNotifyingEach)
{
    HWND top = MakeTopLevel();
    HWND child = MakeChild(top, 1);
    HWND grandchild = MakeChild(child, 2);
    MessageRecorder rec({WM_DESTROY, WM_NCDESTROY});
    rec.Watch(top, "top");
    rec.Watch(child, "child");
    rec.Watch(grandchild, "grandchild");
    ::DestroyWindow(top);
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"top WM_DESTROY", "child WM_DESTROY", "grandchild WM_DESTROY",
                                                     "grandchild WM_NCDESTROY", "child WM_NCDESTROY",
                                                     "top WM_NCDESTROY"}));
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_FALSE(::IsWindow(grandchild));
}

TEST_F(WindowHandleTest, DeletingTheObjectDestroysItsWindow)
{
    HWND top = MakeTopLevel();
    auto* wnd = new CWnd;
    HWND hwnd = MakeChild(top, 4, wnd);
    ASSERT_TRUE(::IsWindow(hwnd));
    delete wnd;
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(WindowHandleTest, TextRoundTripsAsUtf16)
{
    HWND top = MakeTopLevel();
    CWnd* wnd = CWnd::FromHandle(MakeChild(top, 1));
    const CString text(u"Caf\u00e9 \U0001F600 \u20ac");
    wnd->SetWindowText(text);
    CString back;
    wnd->GetWindowText(back);
    EXPECT_EQ(back, text);
    EXPECT_EQ(wnd->GetWindowTextLength(), text.GetLength());

    WCHAR small[4];
    EXPECT_EQ(::GetWindowText(wnd->m_hWnd, small, 4), 3);
    EXPECT_EQ(CString(small), CString(u"Caf"));
}

TEST_F(WindowHandleTest, IdsParentsAndDialogItems)
{
    HWND top = MakeTopLevel();
    HWND a = MakeChild(top, 11);
    HWND b = MakeChild(top, 12);
    EXPECT_EQ(::GetDlgCtrlID(a), 11);
    EXPECT_EQ(::GetDlgItem(top, 12), b);
    EXPECT_EQ(::GetParent(b), top);
    EXPECT_TRUE(::IsChild(top, b));
    EXPECT_FALSE(::IsChild(a, b));
    EXPECT_EQ(::GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(CWnd::FromHandle(top)->GetDlgItem(11)->m_hWnd, a);
}

TEST_F(WindowHandleTest, EnableShowAndStyles)
{
    HWND top = MakeTopLevel();
    CWnd* wnd = CWnd::FromHandle(MakeChild(top, 1));
    MessageRecorder rec({WM_ENABLE, WM_SHOWWINDOW, WM_STYLECHANGED});
    rec.Watch(wnd->m_hWnd, "w");

    EXPECT_FALSE(wnd->EnableWindow(FALSE));   // it was enabled
    EXPECT_FALSE(wnd->IsWindowEnabled());
    EXPECT_TRUE(wnd->GetStyle() & WS_DISABLED);
    EXPECT_TRUE(wnd->EnableWindow(TRUE));
    EXPECT_TRUE(wnd->ShowWindow(SW_HIDE));    // it was visible
    EXPECT_FALSE(wnd->IsWindowVisible());
    EXPECT_TRUE(wnd->ModifyStyle(0, WS_BORDER));
    EXPECT_FALSE(wnd->ModifyStyle(0, WS_BORDER));   // nothing changes
    EXPECT_TRUE(wnd->GetStyle() & WS_BORDER);
    EXPECT_TRUE(wnd->ModifyStyleEx(0, WS_EX_CLIENTEDGE));
    EXPECT_EQ(wnd->GetExStyle(), WS_EX_CLIENTEDGE);
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"w WM_ENABLE", "w WM_ENABLE", "w WM_SHOWWINDOW",
                                                     "w WM_STYLECHANGED", "w WM_STYLECHANGED"}));

    ::ShowWindow(top, SW_HIDE);
    wnd->ShowWindow(SW_SHOW);
    EXPECT_FALSE(wnd->IsWindowVisible()) << "a child of a hidden window is not visible";
}

TEST_F(WindowHandleTest, GeometryInClientAndScreenPixels)
{
    HWND top = MakeTopLevel();
    CWnd* wnd = CWnd::FromHandle(MakeChild(top, 1));
    MessageRecorder rec({WM_SIZE, WM_MOVE});
    rec.Watch(wnd->m_hWnd, "w");
    wnd->MoveWindow(20, 30, 100, 40);
    CRect client, window;
    wnd->GetClientRect(&client);
    wnd->GetWindowRect(&window);
    EXPECT_EQ(client, CRect(0, 0, 100, 40));
    EXPECT_EQ(window, CRect(20, 56, 120, 96)) << "the top-level window starts below the caption strip";
    CPoint pt(5, 5);
    wnd->ClientToScreen(&pt);
    EXPECT_EQ(pt, CPoint(25, 61));
    wnd->SetWindowPos(nullptr, 0, 0, 100, 40, SWP_NOMOVE | SWP_NOZORDER);   // same size: no WM_SIZE
    EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"w WM_MOVE", "w WM_SIZE"}));
}

TEST_F(WindowHandleTest, CreateAnsweredWithMinusOneFails)
{
    HWND top = MakeTopLevel();
    CRefuse refuse;
    EXPECT_FALSE(refuse.CreateEx(0, u"X", u"", WS_CHILD, 0, 0, 10, 10, top, nullptr));
    EXPECT_EQ(refuse.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(top)->GetWindow(GW_CHILD), nullptr);
}

TEST_F(WindowHandleTest, MessagesFromAnotherThreadStopTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    HWND top = MakeTopLevel();
    ASSERT_NE(top, nullptr);
    EXPECT_DEATH(
        {
            std::thread other([top] { ::SendMessage(top, WM_USER, 0, 0); });
            other.join();
        },
        "UI thread");
    EXPECT_EQ(::SendMessage(top, WM_USER, 0, 0), 0) << "the UI thread itself may send";
}

TEST_F(WindowHandleTest, UntitledWindowGoesByTheProgramsTitle)
{
    platform::SetAppTitle(u"Ledger");
    HWND top = MakeTopLevel(nullptr, u"");
    platform::Window* w = platform::LookupWindow(top);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->frame->windowTitle(), QStringLiteral("Ledger"));
    ::SetWindowText(top, u"Items");
    EXPECT_EQ(w->frame->windowTitle(), QStringLiteral("Items"));
    platform::SetAppTitle(CString());
}
