// The reminder dialog: what it shows, the snooze list, the beep and the
// sound before it shows, and what each way of closing it writes into the item.

#include "ReminderTestEnv.h"

#include "owebook/reminders/ReminderDlg.h"
#include "owebook/res/Resource.h"
#include "owebook/views/Formatting.h"
#include "platform/testing/Screenshot.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/WinApi.h"

#include <cstdlib>
#include <functional>
#include <sys/stat.h>

namespace {

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

constexpr const char16_t* SNOOZE_ENTRIES[] = {
    u"5 Minutes", u"10 Minutes", u"15 Minutes", u"1 Hour",  u"2 Hours",  u"3 Hours",  u"1 Day",    u"2 Days",
    u"3 Days",    u"1 Week",     u"2 Weeks",    u"3 Weeks", u"1 Month",  u"2 Months", u"3 Months"};

std::string Spec(const ReminderSpec& s)
{
    return std::to_string(s.bOn) + "," + std::to_string(s.nUnit) + "," + std::to_string(s.nCount);
}

TEST(ReminderSpecText, FormatsCountAndUnitAndParsesItBack)
{
    struct Case {
        BYTE unit;
        BYTE count;
        const char16_t* text;
    };
    for (const Case& c : {Case{0, 5, u"5 Minutes"}, Case{0, 1, u"1 Minute"}, Case{1, 1, u"1 Hour"},
                          Case{1, 2, u"2 Hours"}, Case{2, 3, u"3 Days"}, Case{3, 1, u"1 Week"},
                          Case{4, 12, u"12 Months"}, Case{2, 0, u"0 Day"}, Case{5, 0, u"0 "},
                          Case{9, 3, u"3 s"}}) {
        CString text;
        CReminderDlg::FormatReminderSpec(ReminderSpec(1, c.unit, c.count), text);
        EXPECT_EQ(text, CString(c.text));
    }
    // Every entry of the list stands for the interval it is the text of.
    for (const char16_t* entry : SNOOZE_ENTRIES) {
        const ReminderSpec spec = CReminderDlg::ParseReminderSpec(entry);
        CString text;
        CReminderDlg::FormatReminderSpec(spec, text);
        EXPECT_EQ(text, CString(entry));
        EXPECT_EQ(spec.bOn, 0u);
    }
    struct Parse {
        const char16_t* text;
        const char* spec;
    };
    for (const Parse& p : {Parse{u"2 Hours", "0,1,2"}, Parse{u"15 Minutes", "0,0,15"}, Parse{u"Soon", "0,2,1"},
                           Parse{u" 5 Minutes", "0,2,1"}, Parse{u"", "0,2,1"}, Parse{u"3 hours", "0,2,3"},
                           Parse{u"300 Minutes", "0,0,44"}, Parse{u"4 Wee", "0,3,4"}, Parse{u"x Days", "0,2,0"}}) {
        SCOPED_TRACE(CString(p.text).ToUtf8());
        EXPECT_EQ(Spec(CReminderDlg::ParseReminderSpec(p.text)), p.spec);
    }
}

class ReminderDlgTest : public ReminderTest {
protected:
    ReminderDlgTest()
    {
        StartDocument();
        m_item = NewItem(u"Alice", m_doc->FindCategoryByName(u"Loans"), ITEM_UOME);
        m_item.SetDescription(u"Two concert tickets");
        m_item.SetDueDate(static_cast<DWORD>(LocalSeconds(T_ARMED) + 7200));
        m_item.SetReminder(ReminderSpec(1, REMINDER_HOURS, 2));
        m_item.SetAlarmTime(T_ARMED);
        m_oid = Add(*m_doc, m_item);
        m_services.Clear();
    }

    // Runs the dialog over the item; `scene` says what the user does.
    INT_PTR Show(const std::function<void(platform::testing::Scene&)>& scene)
    {
        ScriptedUser user;
        scene(user.ExpectDialog(IDD_REMINDER));
        CReminderDlg dlg(m_doc.get(), &m_item, m_oid);
        m_pDlg = &dlg;
        const INT_PTR result = dlg.DoModal();
        m_pDlg = nullptr;
        user.Verify();
        return result;
    }

    static bool Checked(DialogDriver& d) { return ::SendMessage(d.Item(IDC_REMINDER_SNOOZE), BM_GETCHECK, 0, 0) == 1; }

    CString Selected() const
    {
        CString text;
        const int sel = m_pDlg->m_comboSnooze.GetCurSel();
        if (sel >= 0)
            m_pDlg->m_comboSnooze.GetLBText(sel, text);
        return text;
    }

    CItemRecord m_item;
    CEOID m_oid = 0;
    CReminderDlg* m_pDlg = nullptr;
};

TEST_F(ReminderDlgTest, ShowsTheItemAfterTheBeepAndTheSoundWithTheSnoozeListHidden)
{
    CString due;
    FormatDateTime(static_cast<DWORD>(LocalSeconds(T_ARMED) + 7200), due);
    std::vector<std::string> servicesWhenShown;
    Show([&](auto& scene) {
        scene.Check([&](DialogDriver& d) {
            servicesWhenShown = m_services.Trace();
            EXPECT_EQ(d.Caption(), CString(u"Owebook Reminder"));
            EXPECT_EQ(d.Text(IDC_REMINDER_TYPE), CString(u"UOMe"));
            EXPECT_EQ(d.Text(IDC_REMINDER_NAME), CString(u"Alice"));
            EXPECT_EQ(d.Text(IDC_REMINDER_CATEGORY), CString(u"Loans"));
            EXPECT_EQ(d.Text(IDC_REMINDER_DUE), due);
            EXPECT_EQ(d.Text(IDC_REMINDER_DESCRIPTION), CString(u"Two concert tickets"));
            EXPECT_FALSE(Checked(d));
            EXPECT_FALSE(d.IsVisible(IDC_REMINDER_SNOOZE_LIST));
            EXPECT_EQ(m_pDlg->m_comboSnooze.GetCount(), 15);
            for (int i = 0; i < 15; ++i) {
                CString entry;
                m_pDlg->m_comboSnooze.GetLBText(i, entry);
                EXPECT_EQ(entry, CString(SNOOZE_ENTRIES[i]));
            }
            EXPECT_EQ(Selected(), CString(u"5 Minutes"));
            // Tapping Snooze shows the list, tapping again hides it.
            d.Tap(IDC_REMINDER_SNOOZE);
            EXPECT_TRUE(Checked(d));
            EXPECT_TRUE(d.IsVisible(IDC_REMINDER_SNOOZE_LIST));
            d.Tap(IDC_REMINDER_SNOOZE);
            EXPECT_FALSE(d.IsVisible(IDC_REMINDER_SNOOZE_LIST));
        }).PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(servicesWhenShown, (std::vector<std::string>{"beep 0xFFFFFFFF", "sound \\windows\\alarm2.WAV 0x2"}));
}

TEST_F(ReminderDlgTest, AnIousTypeAndNoCategoryShowIouAndADash)
{
    m_item.SetType(ITEM_IOU);
    m_item.SetCategory(-2);
    Show([&](auto& scene) {
        scene.Check([&](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_REMINDER_TYPE), CString(u"IOU"));
            EXPECT_EQ(d.Text(IDC_REMINDER_CATEGORY), CString(u" - "));
        }).Tap(IDOK);
    });
}

struct StoredSnoozeCase {
    const char* name;
    ReminderSpec snooze;
    bool checked;
    const char16_t* selected;
};

void PrintTo(const StoredSnoozeCase& c, std::ostream* os) { *os << c.name; }

class StoredSnooze : public ReminderDlgTest, public ::testing::WithParamInterface<StoredSnoozeCase> {};

TEST_P(StoredSnooze, IsCheckedAndFoundAgainInTheList)
{
    const StoredSnoozeCase& c = GetParam();
    m_item.SetSnooze(c.snooze);
    Show([&](auto& scene) {
        scene.Check([&](DialogDriver& d) {
            EXPECT_EQ(Checked(d), c.checked);
            EXPECT_EQ(d.IsVisible(IDC_REMINDER_SNOOZE_LIST), c.checked);
            EXPECT_EQ(Selected(), CString(c.selected));
        }).PressKey(VK_ESCAPE);
    });
}

INSTANTIATE_TEST_SUITE_P(Reminders, StoredSnooze, ::testing::ValuesIn(std::vector<StoredSnoozeCase>{
    {"two_hours", ReminderSpec(1, REMINDER_HOURS, 2), true, u"2 Hours"},
    {"three_months", ReminderSpec(1, REMINDER_MONTHS, 3), true, u"3 Months"},
    {"not_in_the_list", ReminderSpec(1, REMINDER_HOURS, 7), true, u"5 Minutes"},
    {"off", ReminderSpec(0, REMINDER_HOURS, 2), false, u"5 Minutes"},
    {"returned", ReminderSpec(0, 5, 0), false, u"5 Minutes"},
}), [](const ::testing::TestParamInfo<StoredSnoozeCase>& info) { return std::string(info.param.name); });

TEST_F(ReminderDlgTest, WithoutASnoozePropertyTheBoxIsUnchecked)
{
    m_item.DeletePropFromID(ITEMPROP_SNOOZE);
    Show([&](auto& scene) {
        scene.Check([&](DialogDriver& d) { EXPECT_FALSE(Checked(d)); }).Tap(IDOK);
    });
}

// What each way of closing leaves in the item (before it is written back).
struct CloseCase {
    const char* name;
    std::function<void(platform::testing::Scene&)> user;
    const char* snooze;
    std::string alarm;
    bool returned;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class ClosingTheReminder : public ReminderDlgTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTheReminder, WritesReminderSnoozeAlarmAndReturnedFields)
{
    const CloseCase& c = GetParam();
    m_item.SetSnooze(ReminderSpec(0, REMINDER_WEEKS, 3));
    Show(c.user);

    ReminderSpec reminder, snooze;
    ASSERT_TRUE(m_item.GetReminder(reminder));
    ASSERT_TRUE(m_item.GetSnooze(snooze));
    EXPECT_EQ(Spec(reminder), "0,2,1") << "a reminder that came up is off";
    EXPECT_EQ(Spec(snooze), c.snooze);
    SYSTEMTIME alarm{};
    ASSERT_TRUE(m_item.GetAlarmTime(alarm));
    EXPECT_EQ(TimeText(alarm), c.alarm);
    DWORD returnedDate = 0;
    m_item.GetReturnedDate(returnedDate);
    EXPECT_EQ(m_item.GetReturned(), c.returned ? TRUE : FALSE);
    EXPECT_EQ(returnedDate, c.returned ? static_cast<DWORD>(TEST_NOW) : 0u);
}

// TEST_NOW is 2024-03-10 15:30 in Berlin.
INSTANTIATE_TEST_SUITE_P(Reminders, ClosingTheReminder, ::testing::ValuesIn(std::vector<CloseCase>{
    {"ok_unchecked", [](auto& s) { s.Tap(IDOK); }, "0,2,1", TimeText(T_NONE), false},
    {"caption_ok", [](auto& s) { s.TapOk(); }, "0,2,1", TimeText(T_NONE), false},
    {"enter", [](auto& s) { s.PressKey(VK_RETURN); }, "0,2,1", TimeText(T_NONE), false},
    {"snooze_first_entry", [](auto& s) { s.Tap(IDC_REMINDER_SNOOZE).Tap(IDOK); }, "1,0,5", "2024-03-10 15:35:00",
     false},
    {"snooze_two_hours",
     [](auto& s) { s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"2 Hours").Tap(IDOK); }, "1,1,2",
     "2024-03-10 17:30:00", false},
    {"snooze_one_week",
     [](auto& s) { s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"1 Week").Tap(IDOK); }, "1,3,1",
     "2024-03-17 15:30:00", false},
    {"snooze_one_month_in_march_2024",
     [](auto& s) { s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"1 Month").Tap(IDOK); }, "1,4,1",
     "2024-04-11 16:30:00", false},  // 32 days of seconds; summer time began meanwhile
    {"snooze_picked_then_unchecked",
     [](auto& s) {
         s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"3 Days").Tap(IDC_REMINDER_SNOOZE).Tap(IDOK);
     },
     "0,2,1", TimeText(T_NONE), false},
    {"item_returned", [](auto& s) { s.Tap(IDC_REMINDER_RETURNED); }, "0,5,0", TimeText(T_NONE), true},
    {"item_returned_while_snoozing",
     [](auto& s) {
         s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"2 Hours").Tap(IDC_REMINDER_RETURNED);
     },
     "0,5,0", TimeText(T_NONE), true},
    // The keys the system test presses: description, Snooze, (hidden list), OK, Item Returned.
    {"item_returned_by_keyboard",
     [](auto& s) { s.PressKey(VK_TAB).PressKey(VK_TAB).PressKey(VK_TAB).PressKey(VK_SPACE); }, "0,5,0",
     TimeText(T_NONE), true},
    {"escape", [](auto& s) { s.PressKey(VK_ESCAPE); }, "0,3,3", TimeText(T_ARMED), false},
    {"close_button", [](auto& s) { s.CloseWindow(); }, "0,3,3", TimeText(T_ARMED), false},
}), [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(ReminderDlgTest, OneMonthSnoozedOnThe31stOfJanuary2024Is32DaysLater)
{
    AdvanceClockTo(MakeTime(2024, 1, 31, 20, 0, 0));
    Show([](auto& s) { s.Tap(IDC_REMINDER_SNOOZE).Pick(IDC_REMINDER_SNOOZE_LIST, u"1 Month").Tap(IDOK); });
    SYSTEMTIME alarm{};
    ASSERT_TRUE(m_item.GetAlarmTime(alarm));
    EXPECT_EQ(TimeText(alarm), "2024-03-03 20:00:00");
}

// No sound service and no sound file: the dialog shows all the same.
TEST_F(ReminderDlgTest, AMissingSoundStillShowsTheDialog)
{
    m_services.soundAnswer = FALSE;
    bool shown = false;
    Show([&](auto& s) { s.Check([&](DialogDriver&) { shown = true; }).Tap(IDOK); });
    EXPECT_TRUE(shown);
}

// The picture to look at: build/test/screenshots/reminder_dialog@2x.png.
TEST_F(ReminderDlgTest, ScreenshotAtTwiceTheSize)
{
    m_item.SetSnooze(ReminderSpec(1, REMINDER_HOURS, 2));
    const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
    const std::string folder = std::string(dir ? dir : ".") + "/screenshots";
    ::mkdir(folder.c_str(), 0700);
    Show([&](auto& s) {
        s.Check([&](DialogDriver& d) {
             const platform::testing::Screenshot shot(d.Hwnd(), 2);
             EXPECT_EQ(shot.Width(), 480);
             EXPECT_EQ(shot.Height(), 640);
             EXPECT_GT(shot.DistinctColours(), 8) << "text, picture and controls";
             EXPECT_TRUE(shot.SavePng(folder + "/reminder_dialog@2x.png"));
         }).Tap(IDOK);
    });
}

}  // namespace
