// The main view's form and the two flags that steer its refills.

#include "AppTestEnv.h"

namespace {

using Lines = std::vector<std::string>;

struct ControlCase {
    int id;
    const char16_t* className;
    CRect dialogUnits;   // left, top, right, bottom
};

TEST_F(AppTest, FormHoldsEveryControlOfTemplate146AtItsPlace)
{
    ASSERT_TRUE(StartClosingHome());
    CMainView* view = MainView();
    ASSERT_NE(view, nullptr);
    const std::vector<ControlCase> controls = {
        {1124, WC_STATIC, CRect(2, 3, 69, 11)},      {1125, WC_COMBOBOX, CRect(67, 2, 137, 142)},
        {1073, WC_LISTVIEW, CRect(0, 16, 138, 139)}, {1164, WC_STATIC, CRect(2, 140, 135, 160)},
        {1139, WC_BUTTON, CRect(160, 160, 165, 165)},
    };
    for (const ControlCase& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = ::GetDlgItem(view->m_hWnd, c.id);
        ASSERT_NE(control, nullptr);
        WCHAR className[32] = {};
        ::GetClassName(control, className, 32);
        EXPECT_EQ(CString(className), CString(c.className));
        CRect expected = c.dialogUnits;
        ::MapDialogRect(view->m_hWnd, &expected);
        CRect actual;
        ::GetWindowRect(control, &actual);
        view->ScreenToClient(&actual);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        // Position and size are mapped apart, so the far edge may round differently.
        EXPECT_NEAR(actual.Width(), expected.Width(), 1);
        if (c.id != 1125) {   // a drop-down list shows only its edit height
            EXPECT_NEAR(actual.Height(), expected.Height(), 1);
        }
    }
    // The two rules: pictures of bitmap 156 under the title row and above the totals.
    std::vector<int> ruleTops;
    for (HWND child = ::GetWindow(view->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (static_cast<WORD>(::GetDlgCtrlID(child)) != static_cast<WORD>(IDC_STATIC))
            continue;
        WCHAR text[16] = {};
        ::GetWindowText(child, text, 16);
        EXPECT_EQ(CString(text), CString(u"#156"));
        EXPECT_EQ(static_cast<DWORD>(::GetWindowLong(child, GWL_STYLE)) & SS_TYPEMASK, SS_BITMAP);
        CRect rect;
        ::GetWindowRect(child, &rect);
        view->ScreenToClient(&rect);
        ruleTops.push_back(rect.top);
    }
    CRect top(0, 15, 137, 16), bottom(0, 139, 137, 140);
    ::MapDialogRect(view->m_hWnd, &top);
    ::MapDialogRect(view->m_hWnd, &bottom);
    EXPECT_EQ(ruleTops, (std::vector<int>{top.top, bottom.top}));
}

TEST_F(AppTest, FirstActivationAfterTheInitialUpdateDoesNotRefillButLaterOnesDo)
{
    StartWithProbeView();
    auto* view = MainView<CProbeMainView>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ProbeLog::Lines(), Lines{"refill"})
        << "the initial update's mode switch fills the list; its own activation refills nothing";
    ProbeLog::Lines().clear();
    EXPECT_FALSE(view->m_bFreshlyFilled);
    EXPECT_TRUE(view->m_bAutoRefresh);

    view->OnActivateView(TRUE, view, view);
    EXPECT_EQ(ProbeLog::Lines(), Lines{"refill"});

    ProbeLog::Lines().clear();
    view->m_bAutoRefresh = FALSE;   // an editor is open
    view->OnActivateView(TRUE, view, view);
    view->OnActivateView(FALSE, view, view);
    EXPECT_EQ(ProbeLog::Lines(), Lines{});

    view->m_bAutoRefresh = TRUE;
    view->OnInitialUpdate();
    ProbeLog::Lines().clear();
    EXPECT_TRUE(view->m_bFreshlyFilled);
    EXPECT_TRUE(view->m_bAutoRefresh);
    view->OnActivateView(TRUE, view, view);
    EXPECT_EQ(ProbeLog::Lines(), Lines{}) << "freshly filled again";
    EXPECT_FALSE(view->m_bFreshlyFilled);
}

}  // namespace
