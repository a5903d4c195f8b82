// The alarm bookkeeping of the items database, driven through the document
// as the program drives it: which start is asked of the run-at-time service,
// what "Alarm" names, and what is armed, after each add, change and delete.

#include "ReminderTestEnv.h"

#include "platform/system/ProcessInfo.h"
#include "platform/testing/ScriptedUser.h"

#include <functional>

namespace {

enum class State { Idle, Armed, Passed };

struct TransitionCase {
    const char* name;
    State start;
    std::function<void(ReminderTest&)> action;
    std::vector<std::string> requests;  // asked of the service by the action
    std::string alarm;                  // the item "Alarm" names afterwards
    std::string armed;
};

void PrintTo(const TransitionCase& c, std::ostream* os) { *os << c.name; }

const std::string EARLY = TimeText(T_EARLY);
const std::string ARMED = TimeText(T_ARMED);
const std::string LATE = TimeText(T_LATE);

class AlarmTransitions : public ReminderTest, public ::testing::WithParamInterface<TransitionCase> {};

// Idle: only "plain" (no alarm). Armed: "armed" holds the schedule at
// T_ARMED, "late" waits at T_LATE. Passed: the same, an hour after T_ARMED;
// "armed" still carries its alarm, as while its reminder is up.
TEST_P(AlarmTransitions, ScheduleRegistryAndArmedTimeFollow)
{
    const TransitionCase& c = GetParam();
    StartDocument();
    AddItem("plain", T_NONE);
    if (c.start != State::Idle) {
        AddItem("armed", T_ARMED);
        AddItem("late", T_LATE);
        ASSERT_EQ(Requests(), std::vector<std::string>{ARMED});
        ASSERT_EQ(AlarmItem(), "armed");
    }
    if (c.start == State::Passed)
        AdvanceClockTo(MakeTime(2024, 3, 12, 10, 0, 0));
    m_services.Clear();

    c.action(*this);

    EXPECT_EQ(Requests(), c.requests);
    EXPECT_EQ(AlarmItem(), c.alarm);
    EXPECT_EQ(Armed(), c.armed);
}

INSTANTIATE_TEST_SUITE_P(Reminders, AlarmTransitions, ::testing::ValuesIn(std::vector<TransitionCase>{
    // Idle.
    {"idle_add_with_alarm", State::Idle, [](auto& t) { t.AddItem("new", T_LATE); }, {LATE}, "new", LATE},
    {"idle_add_without_alarm", State::Idle, [](auto& t) { t.AddItem("new", T_NONE); }, {}, "0", "idle"},
    {"idle_add_invalid_time", State::Idle, [](auto& t) { t.AddItem("new", MakeTime(2024, 2, 30, 9)); }, {}, "0",
     "idle"},
    {"idle_change_gives_alarm", State::Idle, [](auto& t) { t.ChangeAlarm("plain", T_EARLY); }, {EARLY}, "plain",
     EARLY},
    {"idle_change_to_invalid_time", State::Idle, [](auto& t) { t.ChangeAlarm("plain", MakeTime(2024, 13, 1)); }, {},
     "0", "idle"},
    {"idle_delete", State::Idle, [](auto& t) { t.DeleteItem("plain"); }, {}, "0", "idle"},
    // Armed.
    {"armed_add_later", State::Armed, [](auto& t) { t.AddItem("new", T_LATE); }, {}, "armed", ARMED},
    {"armed_add_earlier", State::Armed, [](auto& t) { t.AddItem("new", T_EARLY); }, {EARLY}, "new", EARLY},
    {"armed_add_same_time_takes_over", State::Armed, [](auto& t) { t.AddItem("new", T_ARMED); }, {ARMED}, "new",
     ARMED},
    {"armed_add_passed_time", State::Armed, [](auto& t) { t.AddItem("new", MakeTime(2024, 3, 1, 8)); },
     {"2024-03-01 08:00:00"}, "new", "2024-03-01 08:00:00"},
    {"armed_remove_armed_alarm", State::Armed, [](auto& t) { t.ChangeAlarm("armed", T_NONE); }, {LATE}, "late",
     LATE},
    {"armed_remove_last_alarms", State::Armed,
     [](auto& t) {
         t.ChangeAlarm("late", T_NONE);
         t.ChangeAlarm("armed", T_NONE);
     },
     {"none"}, "0", "idle"},
    {"armed_remove_later_alarm", State::Armed, [](auto& t) { t.ChangeAlarm("late", T_NONE); }, {}, "armed", ARMED},
    {"armed_move_later_item_first", State::Armed, [](auto& t) { t.ChangeAlarm("late", T_EARLY); }, {EARLY}, "late",
     EARLY},
    {"armed_move_armed_item_back", State::Armed, [](auto& t) { t.ChangeAlarm("armed", MakeTime(2024, 3, 14)); },
     {LATE}, "late", LATE},
    {"armed_unchanged_alarm", State::Armed, [](auto& t) { t.ChangeAlarm("armed", T_ARMED); }, {}, "armed", ARMED},
    {"armed_delete_armed", State::Armed, [](auto& t) { t.DeleteItem("armed"); }, {LATE}, "late", LATE},
    {"armed_delete_every_alarm", State::Armed,
     [](auto& t) {
         t.DeleteItem("late");
         t.DeleteItem("armed");
     },
     {"none"}, "0", "idle"},
    {"armed_delete_later", State::Armed, [](auto& t) { t.DeleteItem("late"); }, {}, "armed", ARMED},
    {"armed_delete_without_alarm", State::Armed, [](auto& t) { t.DeleteItem("plain"); }, {}, "armed", ARMED},
    // Passed: every decision rescans; the passed alarm still counts.
    {"passed_reminder_done_moves_on", State::Passed, [](auto& t) { t.ChangeAlarm("armed", T_NONE); }, {LATE}, "late",
     LATE},
    {"passed_reminder_done_last_one_clears", State::Passed,
     [](auto& t) {
         t.DeleteItem("late");
         t.ChangeAlarm("armed", T_NONE);
     },
     {ARMED, "none"}, "0", "idle"},
    {"passed_add_later_keeps_passed_first", State::Passed, [](auto& t) { t.AddItem("new", T_LATE); }, {ARMED},
     "armed", ARMED},
    {"passed_done_then_new_reminder_is_scheduled", State::Passed,
     [](auto& t) {
         t.DeleteItem("late");
         t.ChangeAlarm("armed", T_NONE);
         t.AddItem("new", MakeTime(2024, 3, 20, 8));
     },
     {ARMED, "none", "2024-03-20 08:00:00"}, "new", "2024-03-20 08:00:00"},
    {"passed_snoozed", State::Passed, [](auto& t) { t.ChangeAlarm("armed", MakeTime(2024, 3, 12, 12)); },
     {"2024-03-12 12:00:00"}, "armed", "2024-03-12 12:00:00"},
    {"passed_remove_other_alarm", State::Passed, [](auto& t) { t.ChangeAlarm("late", T_NONE); }, {ARMED}, "armed",
     ARMED},
    {"passed_delete_fired", State::Passed, [](auto& t) { t.DeleteItem("armed"); }, {LATE}, "late", LATE},
    {"passed_delete_other", State::Passed, [](auto& t) { t.DeleteItem("late"); }, {ARMED}, "armed", ARMED},
}), [](const ::testing::TestParamInfo<TransitionCase>& info) { return std::string(info.param.name); });

class ItemDatabaseTest : public ReminderTest {};

// The rescan: the earliest valid alarm, first in database order on a tie,
// passed ones included; 3001 and later, and times that are no date, never.
TEST_F(ItemDatabaseTest, TheRescanFindsTheEarliestValidAlarmFirstInDatabaseOrder)
{
    struct Scan {
        const char* name;
        std::vector<std::pair<std::string, SYSTEMTIME>> items;
        std::string found;   // "" when nothing is found
    };
    const std::vector<Scan> scans = {
        {"tie", {{"a", T_LATE}, {"b", T_ARMED}, {"c", T_ARMED}}, "b"},
        {"passed_counts", {{"a", T_LATE}, {"b", MakeTime(2020, 1, 1)}}, "b"},
        {"year_3001_never", {{"a", MakeTime(3001, 1, 1)}, {"b", MakeTime(3002, 5, 5)}}, ""},
        {"just_before_3001", {{"a", MakeTime(3001, 1, 1)}, {"b", MakeTime(3000, 12, 31, 23, 59, 59)}}, "b"},
        {"no_date_never_wins", {{"a", MakeTime(2024, 2, 31)}, {"b", T_LATE}}, "b"},
        {"none", {{"a", T_NONE}}, ""},
    };
    for (const Scan& scan : scans) {
        SCOPED_TRACE(scan.name);
        StartDocument();
        CItemDatabase& db = m_doc->m_dbItems;
        // Written past the document: the bookkeeping plays no part here.
        for (const auto& [name, time] : scan.items) {
            CItemRecord item = NewItem(u"x");
            item.SetAlarmTime(time);
            m_names[db.AddRecord(&item)] = name;
        }
        SYSTEMTIME time{};
        time.wYear = 7;
        CEOID oid = 99;
        const BOOL found = db.FindEarliestAlarm(time, oid);
        EXPECT_EQ(found, scan.found.empty() ? FALSE : TRUE);
        EXPECT_EQ(oid == 0 ? "" : m_names[oid], scan.found);
        std::string expected = TimeText(T_NONE);
        for (const auto& [name, t] : scan.items)
            if (name == scan.found)
                expected = TimeText(t);
        EXPECT_EQ(TimeText(time), expected);
        m_doc->DeleteDatabases();
        EndDocument();
        m_names.clear();
    }
}

TEST_F(ItemDatabaseTest, AnEmptyDatabaseFindsNothingAndLeavesTheOutputs)
{
    StartDocument();
    for (CEOID oid : ItemIds(*m_doc))
        ASSERT_TRUE(m_doc->DeleteItem(oid));
    SYSTEMTIME time = T_LATE;
    CEOID oid = 42;
    EXPECT_FALSE(m_doc->m_dbItems.FindEarliestAlarm(time, oid));
    EXPECT_EQ(TimeText(time), TimeText(T_LATE));
    EXPECT_EQ(oid, 42u);
}

struct SetupCase {
    const char* name;
    std::function<void(ReminderTest&)> before;   // between the two starts
    std::vector<std::string> requests;           // asked at the second start
    std::string alarm;
    std::string armed;
};

void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.name; }

class AlarmSetup : public ReminderTest, public ::testing::WithParamInterface<SetupCase> {};

void DeleteAlarmValue()
{
    HKEY hKey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, ALARMS_KEY, 0, 0, &hKey), ERROR_SUCCESS);
    RegDeleteValueW(hKey, ALARM_VALUE);
    RegCloseKey(hKey);
}

// A start re-establishes the schedule the last run left: it trusts "Alarm"
// when it names an item holding an alarm, and rescans when it cannot.
TEST_P(AlarmSetup, AStartTakesBackTheArmedTimeOrRescans)
{
    const SetupCase& c = GetParam();
    StartDocument();
    AddItem("plain", T_NONE);
    AddItem("armed", T_ARMED);
    AddItem("late", T_LATE);
    c.before(*this);
    EndDocument();
    m_services.Clear();

    m_doc = Start();

    EXPECT_EQ(Requests(), c.requests);
    EXPECT_EQ(AlarmItem(), c.alarm);
    EXPECT_EQ(Armed(), c.armed);
}

INSTANTIATE_TEST_SUITE_P(Reminders, AlarmSetup, ::testing::ValuesIn(std::vector<SetupCase>{
    {"names_live_item", [](auto&) {}, {}, "armed", ARMED},
    {"zero", [](auto& t) { t.SetAlarmValue(0); }, {}, "0", "idle"},
    {"missing", [](auto&) { DeleteAlarmValue(); }, {ARMED}, "armed", ARMED},
    {"names_deleted_item", [](auto& t) { t.SetAlarmValue(0x7777); }, {ARMED}, "armed", ARMED},
    {"names_item_without_alarm", [](auto& t) { t.SetAlarmValue(t.Id("plain")); }, {ARMED}, "armed", ARMED},
    {"names_deleted_item_and_no_alarm_left",
     [](auto& t) {
         t.ChangeAlarm("late", T_NONE);
         t.ChangeAlarm("armed", T_NONE);
         t.SetAlarmValue(0x7777);
     },
     {"none"}, "0", "idle"},
}), [](const ::testing::TestParamInfo<SetupCase>& info) { return std::string(info.param.name); });

TEST_F(ItemDatabaseTest, AFreshDeviceGetsAlarmZeroAndNoRescan)
{
    EXPECT_EQ(AlarmValue(), std::nullopt);
    m_doc = Start();
    EXPECT_EQ(AlarmValue(), std::optional<DWORD>(0));
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(Armed(), "idle");
}

// The service refusing: the user is told, and the bookkeeping goes on as if
// it had worked, so that the next change tries again.
TEST_F(ItemDatabaseTest, AFailedRequestIsToldAndStillRecorded)
{
    StartDocument();
    m_services.runAtTimeAnswer = FALSE;
    platform::testing::ScriptedUser user;
    user.ExpectMessageBox(u"Alarm set failed!").Answer(IDOK);
    const CEOID oid = AddItem("a", T_ARMED);
    user.Verify();
    EXPECT_EQ(Requests(), std::vector<std::string>{ARMED});
    EXPECT_EQ(AlarmValue(), std::optional<DWORD>(oid));
    EXPECT_EQ(Armed(), ARMED);
}

// The request names this program's own executable.
TEST_F(ItemDatabaseTest, TheRequestNamesTheProgramsExecutable)
{
    StartDocument();
    AddItem("a", T_ARMED);
    ASSERT_EQ(m_services.runAtTime.size(), 1u);
    WCHAR path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    EXPECT_EQ(CString(m_services.runAtTime[0].app.c_str()), CString(path));
}

// A short or missing alarm property is no alarm; what is written is 16 bytes.
TEST_F(ItemDatabaseTest, RecordAlarmsAreSixteenBytesOrNone)
{
    StartDocument();
    CItemDatabase& db = m_doc->m_dbItems;
    struct Blob {
        const char* name;
        std::vector<BYTE> bytes;
        bool hasAlarm;
    };
    std::vector<BYTE> full(16, 1);
    for (const Blob& blob : {Blob{"short", std::vector<BYTE>(15, 1), false}, Blob{"full", full, true},
                             Blob{"longer", std::vector<BYTE>(20, 1), true}}) {
        SCOPED_TRACE(blob.name);
        CCeDBRecord record;
        record.AddProp(CCeDBProp(CCeDBProp::Type_Blob, ITEMPROP_ALARM_TIME));
        record[0]->SetBlob(blob.bytes.data(), static_cast<DWORD>(blob.bytes.size()));
        SYSTEMTIME time{};
        EXPECT_EQ(db.GetRecordAlarm(record, time), blob.hasAlarm ? TRUE : FALSE);
    }
    CCeDBRecord missing;
    SYSTEMTIME time{};
    EXPECT_FALSE(db.GetRecordAlarm(missing, time));

    CCeDBRecord record;
    record.AddProp(CCeDBProp(CCeDBProp::Type_Blob, ITEMPROP_ALARM_TIME));
    db.SetRecordAlarm(record, &T_LATE);
    EXPECT_EQ(record[0]->GetBlob().dwCount, 16u);
    EXPECT_TRUE(db.GetRecordAlarm(record, time));
    EXPECT_EQ(TimeText(time), LATE);
    db.SetRecordAlarm(record, nullptr);
    EXPECT_EQ(record[0]->GetBlob().dwCount, 16u);
    EXPECT_TRUE(db.GetRecordAlarm(record, time));
    EXPECT_TRUE(CItemDatabase::IsEmptyTime(&time));
}

}  // namespace
