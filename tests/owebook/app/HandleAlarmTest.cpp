// The application showing a reminder: for the launch with "AppRunAtTime"
// (no document yet, no main window) and for WM_OWEBOOK_ALARM in a running
// program; what it refuses, and items due at once coming up one by one.

#include "AppTestEnv.h"
#include "owebook/reminders/ReminderTestEnv.h"

#include "owebook/app/AppIds.h"
#include "owebook/app/MainFrame.h"
#include "owebook/app/OwebookApp.h"
#include "owebook/res/Resource.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"

#include <functional>

namespace {

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

class HandleAlarmTest : public ReminderTest {
protected:
    HandleAlarmTest()
    {
        platform::testing::ResetUi();
        m_app.m_lpCmdLine = m_szCmdLine;
    }
    ~HandleAlarmTest() override
    {
        platform::testing::ResetUi();
        platform::MessageLoop::ResetQuit();
    }

    void SetCommandLine(const char16_t* text)
    {
        std::char_traits<char16_t>::copy(m_szCmdLine, text, std::char_traits<char16_t>::length(text) + 1);
    }

    // The item as stored, read by a document of its own.
    CItemRecord Stored(const std::string& name)
    {
        COwebookDoc reader;
        EXPECT_TRUE(reader.OnNewDocument());
        CItemRecord item;
        EXPECT_TRUE(reader.ReadItem(m_ids.at(name), item));
        return item;
    }

    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd); }

    COwebookApp m_app;
    WCHAR m_szCmdLine[32] = {};
};

struct RefusedCase {
    const char* name;
    std::function<void(ReminderTest&)> prepare;   // with the document open
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedAlarm : public HandleAlarmTest, public ::testing::WithParamInterface<RefusedCase> {};

// Nothing to show: FALSE, no dialog, no window, and the item left as it was.
TEST_P(RefusedAlarm, AnswersFalseWithoutADialog)
{
    StartDocument();
    GetParam().prepare(*this);
    EndDocument();

    ScriptedUser user;   // expects nothing: a dialog would fail the test
    EXPECT_FALSE(m_app.HandleAlarm());
    user.Verify();
    EXPECT_TRUE(user.Seen().empty());
    EXPECT_EQ(OwnTopLevelWindows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Reminders, RefusedAlarm, ::testing::ValuesIn(std::vector<RefusedCase>{
    {"alarm_missing",
     [](auto& t) {
         t.AddItem("a", T_NONE);
         HKEY hKey = nullptr;
         RegOpenKeyExW(HKEY_LOCAL_MACHINE, ALARMS_KEY, 0, 0, &hKey);
         RegDeleteValueW(hKey, ALARM_VALUE);
         RegCloseKey(hKey);
     }},
    {"alarm_zero", [](auto& t) { t.AddItem("a", T_NONE); }},
    {"item_deleted",
     [](auto& t) {
         const CEOID oid = t.AddItem("a", T_NONE);
         t.Doc().DeleteItem(oid);
         t.SetAlarmValue(oid);
     }},
    {"zero_alarm_time", [](auto& t) { t.SetAlarmValue(t.AddItem("a", T_NONE)); }},
    {"no_alarm_property",
     [](auto& t) {
         CCeDBRecord record;
         record.AddProp(CCeDBProp(u"Bare", ITEMPROP_NAME));
         t.SetAlarmValue(t.Doc().m_dbItems.AddRecord(&record));
     }},
}), [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

// The launch made for a reminder: a document of its own, the dialog without a
// main window, the item written back, and the program ends.
TEST_F(HandleAlarmTest, TheReminderLaunchShowsTheItemWritesItBackAndEndsWithoutAWindow)
{
    StartDocument();
    AddItem("Alice", T_ARMED);
    AddItem("Bob", T_LATE);
    EndDocument();
    AdvanceClockTo(MakeTime(2024, 3, 12, 9, 0, 2));
    m_services.Clear();
    SetCommandLine(u"AppRunAtTime");

    ScriptedUser user;
    user.ExpectDialog(IDD_REMINDER)
        .Check([&](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_REMINDER_NAME), CString(u"Alice"));
            EXPECT_EQ(m_app.m_pMainWnd, nullptr);
            EXPECT_TRUE(Requests().empty()) << "nothing is rescheduled before the item is written back";
        })
        .Tap(IDC_REMINDER_RETURNED);
    EXPECT_FALSE(m_app.InitInstance()) << "the launch ends after the reminder";
    user.Verify();

    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(OwnTopLevelWindows(), 0);
    EXPECT_EQ(Requests(), std::vector<std::string>{TimeText(T_LATE)});
    EXPECT_EQ(AlarmItem(), "Bob");
    const CItemRecord alice = Stored("Alice");
    EXPECT_TRUE(alice.GetReturned());
    SYSTEMTIME alarm = T_ARMED;
    alice.GetAlarmTime(alarm);
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(alarm));
}

// Two items due at the same moment: the one added last took the schedule
// over and comes up first; the other is scheduled (at its passed time) only
// when the first has been written back, and comes up next.
TEST_F(HandleAlarmTest, TwoItemsDueAtOnceComeUpOneAfterTheOther)
{
    StartDocument();
    AddItem("first", T_ARMED);
    AddItem("second", T_ARMED);
    EndDocument();
    AdvanceClockTo(MakeTime(2024, 3, 12, 9, 0, 30));
    m_services.Clear();

    ScriptedUser user;
    user.ExpectDialog(IDD_REMINDER)
        .Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_REMINDER_NAME), CString(u"second")); })
        .Tap(IDOK);
    EXPECT_TRUE(m_app.HandleAlarm());
    user.Verify();
    EXPECT_EQ(Requests(), std::vector<std::string>{TimeText(T_ARMED)});
    EXPECT_EQ(AlarmItem(), "first");

    user.ExpectDialog(IDD_REMINDER)
        .Check([](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_REMINDER_NAME), CString(u"first")); })
        .Tap(IDOK);
    EXPECT_TRUE(m_app.HandleAlarm());
    user.Verify();
    EXPECT_EQ(Requests(), (std::vector<std::string>{TimeText(T_ARMED), "none"}));
    EXPECT_EQ(AlarmItem(), "0");
    EXPECT_FALSE(m_app.HandleAlarm()) << "nothing is due any more";
}

// Escape leaves the alarm: the item stays the armed one and no start is asked.
TEST_F(HandleAlarmTest, AReminderClosedWithEscapeStaysArmed)
{
    StartDocument();
    AddItem("a", T_ARMED);
    AddItem("b", T_LATE);
    EndDocument();
    AdvanceClockTo(MakeTime(2024, 3, 12, 9, 1, 0));
    m_services.Clear();

    ScriptedUser user;
    user.ExpectDialog(IDD_REMINDER).PressKey(VK_ESCAPE);
    EXPECT_TRUE(m_app.HandleAlarm());
    user.Verify();
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(AlarmItem(), "a");
    ReminderSpec reminder(1, 0, 0);
    Stored("a").GetReminder(reminder);
    EXPECT_EQ(reminder.bOn, 0u);
}

// A running program: the second launch's message opens the dialog over the
// main window, which is disabled while it is open, on the open document.
TEST_F(HandleAlarmTest, TheAlarmMessageOpensTheReminderOverTheMainWindow)
{
    {
        ScriptedUser home;
        home.ExpectDialog(IDD_HOME).TapOk();
        ASSERT_TRUE(m_app.InitInstance());
    }
    CMainFrame* frame = Frame();
    ASSERT_NE(frame, nullptr);
    auto* doc = dynamic_cast<COwebookDoc*>(frame->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    CItemRecord item = NewItem(u"Carol");
    item.SetAlarmTime(T_ARMED);
    CEOID oid = 0;
    ASSERT_TRUE(doc->AddItem(item, oid));
    Remember("Carol", oid);
    AdvanceClockTo(MakeTime(2024, 3, 12, 9, 0, 1));
    m_services.Clear();

    ScriptedUser user;
    user.ExpectDialog(IDD_REMINDER)
        .Check([&](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_REMINDER_NAME), CString(u"Carol"));
            EXPECT_EQ(::GetWindow(d.Hwnd(), GW_OWNER), frame->m_hWnd);
            EXPECT_FALSE(::IsWindowEnabled(frame->m_hWnd));
            EXPECT_TRUE(::IsWindowVisible(frame->m_hWnd));
        })
        .Tap(IDC_REMINDER_SNOOZE)
        .Pick(IDC_REMINDER_SNOOZE_LIST, u"2 Hours")
        .Tap(IDOK);
    ::PostMessage(frame->m_hWnd, WM_OWEBOOK_ALARM, 0, 0);
    platform::testing::ProcessEvents();
    user.Verify();

    EXPECT_TRUE(::IsWindowEnabled(frame->m_hWnd));
    EXPECT_EQ(Requests(), std::vector<std::string>{"2024-03-12 11:00:01"});
    EXPECT_EQ(AlarmItem(), "Carol");
    ReminderSpec snooze;
    ASSERT_TRUE(doc->ReadItem(oid, item));
    item.GetSnooze(snooze);
    EXPECT_EQ(snooze.bOn, 1u);
    EXPECT_EQ(snooze.nCount, 2);
}

}  // namespace
