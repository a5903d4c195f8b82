// The Dates and Alarms page through the item editor: the due date enabling
// the reminder, the returned box and date following each other, the alarm
// time for each unit, the snooze reset rule, the count list following the
// unit, the count read as a number, and the dates an item can store.

#include "EditorTestEnv.h"

#include "owebook/editor/AlarmTime.h"
#include "owebook/editor/DatesPage.h"
#include "platform/core/Time.h"
#include "platform/ui/controls/datetime/CDateTimeCtrl.h"
#include "platform/ui/controls/datetime/DateTimeWidget.h"

#include <QCheckBox>

namespace {

SYSTEMTIME Local(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0)
{
    return SYSTEMTIME{y, mo, 0, d, h, mi, s, 0};
}

DWORD TimeValue(const SYSTEMTIME& local)
{
    DWORD t = 0;
    EXPECT_TRUE(LocalSystemTimeToTime32(&local, &t));
    return t;
}

std::string Show(const SYSTEMTIME& t)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

SYSTEMTIME Picker(DialogDriver& d, int id, DWORD* status = nullptr)
{
    SYSTEMTIME t{};
    const DWORD got = static_cast<DWORD>(::SendMessage(d.Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)));
    if (status)
        *status = got;
    return got == GDT_VALID ? t : SYSTEMTIME{};
}

// The user types a count (the list's own entries or not).
void SetCount(DialogDriver& d, LPCWSTR text) { ::SetWindowText(d.Item(IDC_DATES_COUNT), text); }

// The user ticks or clears a picker's "has a date" box.
void ClickPickerBox(DialogDriver& d, int id)
{
    auto* widget = dynamic_cast<platform::DateTimeWidget*>(platform::LookupWindow(d.Item(id))->widget.data());
    ASSERT_NE(widget, nullptr);
    widget->CheckBox()->click();
}

class DatesPageTest : public EditorTest {
protected:
    // An item due on 10 June 2026 at 09:00, Berlin time.
    CItemRecord DueItem()
    {
        CItemRecord item = NewItem(u"Hal");
        item.SetDueDate(TimeValue(Local(2026, 6, 10, 9, 0, 0)));
        return item;
    }
    static SYSTEMTIME Alarm(const CItemRecord& item)
    {
        SYSTEMTIME t{};
        item.GetAlarmTime(t);
        return t;
    }
};

}  // namespace

TEST_F(DatesPageTest, TheAlarmFallsTheLeadTimeBeforeTheDueTime)
{
    struct Case {
        const char16_t* unit;
        const char16_t* count;
        SYSTEMTIME alarm;
    } cases[] = {
        {u" day(s)", u"2", Local(2026, 6, 8, 9, 0, 0)},
        {u" minute(s)", u"15", Local(2026, 6, 10, 8, 45, 0)},
        {u" hour(s)", u"3", Local(2026, 6, 10, 6, 0, 0)},
        {u" week(s)", u"1", Local(2026, 6, 3, 9, 0, 0)},
    };
    for (const Case& c : cases) {
        CItemRecord item = DueItem();
        ScriptedUser user;
        user.ExpectDialogCaption(u"Details")
            .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
            .Check([](DialogDriver& d) { EXPECT_TRUE(d.IsEnabled(IDC_DATES_REMINDER)); })
            .Pick(IDC_DATES_REMINDER, u"Remind Me")
            .Check([](DialogDriver& d) { EXPECT_TRUE(d.IsEnabled(IDC_DATES_COUNT)); })
            .Pick(IDC_DATES_UNIT, c.unit)
            .Do([&](DialogDriver& d) { SetCount(d, c.count); })
            .TapOk();
        ASSERT_EQ(Run(item), ITEM_SHEET_OK);
        EXPECT_EQ(Show(Alarm(item)), Show(c.alarm)) << CString(c.unit).ToUtf8();
        ReminderSpec reminder;
        item.GetReminder(reminder);
        EXPECT_EQ(reminder.bOn, 1u);
    }
}

TEST_F(DatesPageTest, TheDueDateEnablesTheReminderAndClearingItResetsTimeAndReminder)
{
    CItemRecord item = NewItem(u"Ida");
    item.SetReminder(ReminderSpec(1, REMINDER_DAYS, 1));
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
        .Check([](DialogDriver& d) {
            EXPECT_FALSE(d.IsEnabled(IDC_DATES_REMINDER));
            DWORD status = 0;
            Picker(d, IDC_DATES_DUE, &status);
            EXPECT_EQ(status, GDT_NONE);
            Picker(d, IDC_DATES_DUE_TIME, &status);
            EXPECT_EQ(status, GDT_NONE);
        })
        .Do([](DialogDriver& d) { ClickPickerBox(d, IDC_DATES_DUE); })
        .Check([](DialogDriver& d) {
            EXPECT_TRUE(d.IsEnabled(IDC_DATES_REMINDER));
            EXPECT_EQ(Show(Picker(d, IDC_DATES_DUE_TIME)), Show(Picker(d, IDC_DATES_DUE)))
                << "the time picker takes the due date and time";
        })
        .Pick(IDC_DATES_REMINDER, u"Remind Me")
        .Do([](DialogDriver& d) { ClickPickerBox(d, IDC_DATES_DUE); })
        .Check([](DialogDriver& d) {
            EXPECT_EQ(Selected(d, IDC_DATES_REMINDER), CString(u"None"));
            EXPECT_FALSE(d.IsEnabled(IDC_DATES_REMINDER));
            EXPECT_FALSE(d.IsEnabled(IDC_DATES_COUNT));
            DWORD status = 0;
            Picker(d, IDC_DATES_DUE_TIME, &status);
            EXPECT_EQ(status, GDT_NONE);
        })
        .TapOk();
    ASSERT_EQ(Run(item), ITEM_SHEET_OK);
    DWORD due = 1;
    item.GetDueDate(due);
    EXPECT_EQ(due, 0u);
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(Alarm(item)));
}

TEST_F(DatesPageTest, ClearingTheDueDateOfARemindedItemSwitchesTheReminderOff)
{
    CItemRecord item = DueItem();
    item.SetReminder(ReminderSpec(1, REMINDER_DAYS, 2));
    item.SetAlarmTime(Local(2026, 6, 8, 9, 0, 0));
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
        .Check([](DialogDriver& d) { EXPECT_EQ(Selected(d, IDC_DATES_REMINDER), CString(u"Remind Me")); })
        .Do([](DialogDriver& d) { ClickPickerBox(d, IDC_DATES_DUE); })
        .TapOk();
    ASSERT_EQ(Run(item), ITEM_SHEET_OK);
    ReminderSpec reminder;
    item.GetReminder(reminder);
    EXPECT_EQ(reminder.bOn, 0u);
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(Alarm(item)));
}

TEST_F(DatesPageTest, TheReturnedBoxAndDateFollowEachOther)
{
    CItemRecord item = NewItem(u"Jo");
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
        .Tap(IDC_DATES_RETURNED_CHECK)
        .Check([](DialogDriver& d) {
            EXPECT_EQ(Show(Picker(d, IDC_DATES_RETURNED)), "2024-03-10 15:30:00") << "now, Berlin time";
        })
        .Tap(IDC_DATES_RETURNED_CHECK)
        .Check([](DialogDriver& d) {
            DWORD status = 0;
            Picker(d, IDC_DATES_RETURNED, &status);
            EXPECT_EQ(status, GDT_NONE);
        })
        .Do([](DialogDriver& d) { ClickPickerBox(d, IDC_DATES_RETURNED); })
        .Check([](DialogDriver& d) {
            EXPECT_EQ(::SendMessage(d.Item(IDC_DATES_RETURNED_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
        })
        .TapOk();
    ASSERT_EQ(Run(item), ITEM_SHEET_OK);
    EXPECT_TRUE(item.GetReturned());
    DWORD returned = 0;
    EXPECT_TRUE(item.GetReturnedDate(returned));
    EXPECT_NE(returned, 0u);
}

TEST_F(DatesPageTest, AnUnchangedReminderKeepsTheSnoozeAndAChangedCountResetsIt)
{
    for (bool changeCount : {false, true}) {
        CItemRecord item = DueItem();
        item.SetReminder(ReminderSpec(1, REMINDER_DAYS, 2));
        item.SetSnooze(ReminderSpec(1, REMINDER_MINUTES, 5));
        const SYSTEMTIME snoozed = Local(2026, 6, 8, 9, 5, 0);
        item.SetAlarmTime(snoozed);
        ScriptedUser user;
        auto& scene = user.ExpectDialogCaption(u"Details").Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); });
        if (changeCount)
            scene.Do([](DialogDriver& d) { SetCount(d, u"3"); });
        scene.TapOk();
        ASSERT_EQ(Run(item), ITEM_SHEET_OK);
        ReminderSpec snooze;
        item.GetSnooze(snooze);
        EXPECT_EQ(snooze.bOn, changeCount ? 0u : 1u);
        EXPECT_EQ(snooze.nUnit, REMINDER_MINUTES);
        EXPECT_EQ(snooze.nCount, 5);
        EXPECT_EQ(Show(Alarm(item)), Show(changeCount ? Local(2026, 6, 7, 9, 0, 0) : snoozed));
    }
}

TEST_F(DatesPageTest, TheCountListFollowsTheUnit)
{
    struct Case {
        ReminderSpec stored;
        const char16_t* unit;
        const char16_t* count;
    } cases[] = {
        {ReminderSpec(1, REMINDER_DAYS, 3), u" minute(s)", u"30"},    // the first entry starting with "3"
        {ReminderSpec(1, REMINDER_MINUTES, 45), u" hour(s)", u"45"},  // none does: kept as typed
        {ReminderSpec(1, REMINDER_WEEKS, 2), u" day(s)", u"2"},
    };
    for (const Case& c : cases) {
        CItemRecord item = DueItem();
        item.SetReminder(c.stored);
        ScriptedUser user;
        user.ExpectDialogCaption(u"Details")
            .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
            .Pick(IDC_DATES_UNIT, c.unit)
            .Check([&](DialogDriver& d) { EXPECT_EQ(d.Text(IDC_DATES_COUNT), CString(c.count)); })
            .TypeInto(IDC_DATES_COUNT, u"123")
            .Check([](DialogDriver& d) { EXPECT_LE(d.Text(IDC_DATES_COUNT).GetLength(), 2); })
            .Tap(IDCANCEL);
        EXPECT_EQ(Run(item), ITEM_SHEET_CANCELLED);
    }
}

TEST_F(DatesPageTest, TheCountIsANumberFrom0To99)
{
    struct Case {
        const char16_t* text;
        BYTE count;
    } cases[] = {
        {u"7", 7}, {u" 12", 12}, {u"+3", 3}, {u"99", 99}, {u"", 0}, {u"ab", 0}, {u"-5", 0}, {u"4x", 4}, {u"250", 99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDatesPage::ReadCount(c.text), c.count) << CString(c.text).ToUtf8();

    // Through the page: letters and a minus store 0, never 251.
    for (const char16_t* typed : {u"-5", u"ab"}) {
        CItemRecord item = DueItem();
        ScriptedUser user;
        user.ExpectDialogCaption(u"Details")
            .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
            .Pick(IDC_DATES_REMINDER, u"Remind Me")
            .Do([&](DialogDriver& d) { SetCount(d, typed); })
            .TapOk();
        ASSERT_EQ(Run(item), ITEM_SHEET_OK);
        ReminderSpec reminder;
        item.GetReminder(reminder);
        EXPECT_EQ(reminder.nCount, 0);
        EXPECT_EQ(Show(Alarm(item)), Show(Local(2026, 6, 10, 9, 0, 0))) << "a count of 0 reminds at the due time";
    }
}

TEST_F(DatesPageTest, ThePickersTakeOnlyDatesAnItemCanStore)
{
    CItemRecord item = DueItem();
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
        .Check([](DialogDriver& d) {
            for (int id : {IDC_DATES_CREATED, IDC_DATES_DUE, IDC_DATES_DUE_TIME, IDC_DATES_RETURNED}) {
                SYSTEMTIME range[2]{};
                ::SendMessage(d.Item(id), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range));
                EXPECT_EQ(Show(range[0]), "1970-01-01 01:00:00") << id;
                EXPECT_EQ(Show(range[1]), "2106-02-07 07:28:15") << id;
                EXPECT_TRUE(::GetWindowLong(d.Item(id), GWL_STYLE) & DTS_NONEBUTTON) << id;
                const SYSTEMTIME early = Local(1969, 12, 31, 23, 0, 0);
                EXPECT_FALSE(::SendMessage(d.Item(id), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&early)));
            }
        })
        .TapOk();
    ASSERT_EQ(Run(item), ITEM_SHEET_OK);
}

TEST(ItemAlarmTimeTest, OffOrWithoutDueDateIsEmptyAndALongLeadStopsAt1970)
{
    TestZone zone("UTC");
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(ItemAlarmTime(1000000, ReminderSpec(0, REMINDER_DAYS, 1))));
    EXPECT_TRUE(CItemRecord::IsZeroSystemTime(ItemAlarmTime(0, ReminderSpec(1, REMINDER_DAYS, 1))));
    const SYSTEMTIME early = ItemAlarmTime(3600, ReminderSpec(1, REMINDER_WEEKS, 3));
    EXPECT_EQ(Show(early), "1970-01-01 00:00:00");
}
