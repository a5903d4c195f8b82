// A WM_TIMER calls a timer procedure only when SetTimer registered exactly that
// procedure for that window and id; its lParam is otherwise just a number.

#include "UiTest.h"

#include <vector>

namespace {

std::vector<std::string> g_calls;

void Registered(HWND, UINT, UINT_PTR id, DWORD) { g_calls.push_back("registered " + std::to_string(id)); }
void Unregistered(HWND, UINT, UINT_PTR id, DWORD) { g_calls.push_back("unregistered " + std::to_string(id)); }

LPARAM AsLParam(void (*proc)(HWND, UINT, UINT_PTR, DWORD)) { return reinterpret_cast<LPARAM>(proc); }

class TimerProcTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_calls.clear();
        m_hWnd = MakeTopLevel();
        m_other = MakeTopLevel(nullptr, u"Other");
        ASSERT_EQ(::SetTimer(m_hWnd, 5, 60000, Registered), 5u);
        ASSERT_EQ(::SetTimer(m_hWnd, 6, 60000, nullptr), 6u);
    }
    HWND m_hWnd = nullptr;
    HWND m_other = nullptr;
};

TEST_F(TimerProcTest, OnlyTheProcedureRegisteredForThatWindowAndIdIsCalled)
{
    struct Case {
        const char* what;
        HWND hwnd;
        WPARAM id;
        LPARAM lParam;
        bool called;
    };
    for (const Case& c : {Case{"the registered procedure", m_hWnd, 5, AsLParam(Registered), true},
                          Case{"another function of the program", m_hWnd, 5, AsLParam(Unregistered), false},
                          Case{"a made-up address", m_hWnd, 5, 0x41414141, false},
                          Case{"an id without a timer", m_hWnd, 7, AsLParam(Registered), false},
                          Case{"a timer without a procedure", m_hWnd, 6, AsLParam(Registered), false},
                          Case{"another window", m_other, 5, AsLParam(Registered), false}}) {
        g_calls.clear();
        ::SendMessage(c.hwnd, WM_TIMER, c.id, c.lParam);
        EXPECT_EQ(g_calls.size(), c.called ? 1u : 0u) << c.what;
    }
}

TEST_F(TimerProcTest, AKilledOrReplacedTimerNoLongerVouchesForItsProcedure)
{
    ASSERT_EQ(::SetTimer(m_hWnd, 5, 60000, Unregistered), 5u);
    ::SendMessage(m_hWnd, WM_TIMER, 5, AsLParam(Registered));
    ::SendMessage(m_hWnd, WM_TIMER, 5, AsLParam(Unregistered));
    EXPECT_EQ(g_calls, std::vector<std::string>{"unregistered 5"});

    ASSERT_TRUE(::KillTimer(m_hWnd, 5));
    ::SendMessage(m_hWnd, WM_TIMER, 5, AsLParam(Unregistered));
    EXPECT_EQ(g_calls.size(), 1u);
}

}  // namespace
