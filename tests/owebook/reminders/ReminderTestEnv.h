#pragma once
// Reminder tests: a document on a fresh device whose run-at-time requests,
// beeps and sounds are recorded, named items, and the registry value "Alarm".

#include "owebook/data/DocumentTestEnv.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"
#include "platform/testing/ServiceRecorder.h"

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Local times (Berlin) around TEST_NOW, Sunday 2024-03-10 15:30.
inline const SYSTEMTIME T_EARLY = MakeTime(2024, 3, 11, 9, 0, 0);
inline const SYSTEMTIME T_ARMED = MakeTime(2024, 3, 12, 9, 0, 0);
inline const SYSTEMTIME T_LATE = MakeTime(2024, 3, 13, 9, 0, 0);
inline const SYSTEMTIME T_NONE = SYSTEMTIME{};

inline std::string TimeText(const SYSTEMTIME& t)
{
    char text[48];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

// "Alarm" read without creating anything; none when key or value is missing.
inline std::optional<DWORD> StoredAlarmValue()
{
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ALARMS_KEY, 0, 0, &hKey) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG status = RegQueryValueExW(hKey, ALARM_VALUE, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(hKey);
    return status == ERROR_SUCCESS ? std::optional<DWORD>(value) : std::nullopt;
}

// Seconds since 1970 of a local time in the test's zone.
inline std::int64_t LocalSeconds(const SYSTEMTIME& local)
{
    std::int64_t seconds = 0;
    EXPECT_TRUE(platform::LocalToUtcSeconds(local, seconds));
    return seconds;
}

// The helpers are public: tables of test cases call them.
class ReminderTest : public DocumentTest {
public:
    void StartDocument()
    {
        m_doc = Start();
        m_services.Clear();
    }
    void EndDocument() { End(m_doc); }

    CEOID AddItem(const std::string& name, const SYSTEMTIME& alarm)
    {
        CItemRecord item = NewItem(CString::FromUtf8(name.c_str()));
        item.SetAlarmTime(alarm);
        const CEOID oid = Add(*m_doc, item);
        Remember(name, oid);
        return oid;
    }

    void Remember(const std::string& name, CEOID oid)
    {
        m_ids[name] = oid;
        m_names[oid] = name;
    }

    void ChangeAlarm(const std::string& name, const SYSTEMTIME& alarm)
    {
        CItemRecord item;
        ASSERT_TRUE(m_doc->ReadItem(m_ids.at(name), item));
        item.SetAlarmTime(alarm);
        ASSERT_TRUE(m_doc->UpdateItem(m_ids.at(name), item));
    }

    void DeleteItem(const std::string& name) { ASSERT_TRUE(m_doc->DeleteItem(m_ids.at(name))); }

    SYSTEMTIME StoredAlarm(const std::string& name)
    {
        CItemRecord item;
        SYSTEMTIME alarm{};
        EXPECT_TRUE(m_doc->ReadItem(m_ids.at(name), item));
        item.GetAlarmTime(alarm);
        return alarm;
    }

    // The run-at-time requests so far: their times, "none" for a removal.
    std::vector<std::string> Requests() const
    {
        std::vector<std::string> requests;
        for (const auto& request : m_services.runAtTime)
            requests.push_back(request.time ? TimeText(*request.time) : "none");
        return requests;
    }

    static std::optional<DWORD> AlarmValue() { return StoredAlarmValue(); }

    static void SetAlarmValue(DWORD value) { CRegistryKey(ALARMS_KEY).SetDword(ALARM_VALUE, value); }

    // The item "Alarm" names: its name, "0", or the number of an unknown record.
    std::string AlarmItem() const
    {
        const std::optional<DWORD> value = AlarmValue();
        if (!value)
            return "missing";
        if (*value == 0)
            return "0";
        const auto it = m_names.find(*value);
        return it != m_names.end() ? it->second : "record " + std::to_string(*value);
    }

    // The armed time, "idle" when nothing is armed.
    std::string Armed() const
    {
        const COleDateTime& armed = m_doc->m_dbItems.m_timeArmed;
        if (armed.m_dt == 0.0)
            return "idle";
        SYSTEMTIME t{};
        return armed.GetAsSystemTime(t) ? TimeText(t) : "invalid";
    }

    void AdvanceClockTo(const SYSTEMTIME& local) { platform::SetFixedClock(LocalSeconds(local)); }

    COwebookDoc& Doc() { return *m_doc; }
    CEOID Id(const std::string& name) const { return m_ids.at(name); }

protected:

    // First: the document's start may already ask for a start.
    platform::testing::ServiceRecorder m_services;
    std::unique_ptr<CRecordingDoc> m_doc;
    std::map<std::string, CEOID> m_ids;
    std::map<CEOID, std::string> m_names;
};
