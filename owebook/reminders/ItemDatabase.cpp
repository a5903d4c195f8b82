#include "owebook/reminders/ItemDatabase.h"

#include "owebook/data/RegistryKey.h"
#include "platform/system/ProcessInfo.h"
#include "platform/system/runattime/RunAtTime.h"
#include "platform/ui/MessageBox.h"

#include <cstring>

namespace {

constexpr DWORD ALARM_BYTES = sizeof(SYSTEMTIME);

// Later than any alarm the program can set.
const COleDateTime& NeverTime()
{
    static const COleDateTime never(3001, 1, 1, 0, 0, 0);
    return never;
}

BOOL IsValidAlarm(const SYSTEMTIME& time)
{
    return COleDateTime(time).GetStatus() == COleDateTime::valid;
}

}  // namespace

CItemDatabase::CItemDatabase() : m_idAlarmProp(0), m_pszValueName(nullptr), m_pszKeyPath(nullptr) {}

CItemDatabase::~CItemDatabase() = default;

BOOL CItemDatabase::IsEmptyTime(const SYSTEMTIME* pTime)
{
    static const SYSTEMTIME zero{};
    return !pTime || std::memcmp(pTime, &zero, sizeof zero) == 0;
}

BOOL CItemDatabase::HasArmedTimePassed() const
{
    return IsArmed() && m_timeArmed < COleDateTime::GetCurrentTime();
}

void CItemDatabase::SetupAlarms(WORD idAlarmProp, LPCWSTR pszKeyPath, LPCWSTR pszValueName)
{
    m_idAlarmProp = idAlarmProp;
    m_pszKeyPath = pszKeyPath;
    m_pszValueName = pszValueName;

    CEOID oid = 0;
    const BOOL bRead = LoadArmedItem(oid);
    if (bRead && oid == 0)
        return;
    // The schedule is the one the last run left; only the armed time is
    // taken back. An item that is gone, or holds no alarm any more, cannot
    // be what is pending.
    SYSTEMTIME time{};
    if (bRead && ReadAlarmOf(oid, time) && !IsEmptyTime(&time) && IsValidAlarm(time)) {
        m_timeArmed = time;
        return;
    }
    Rescan();
    // Nothing to schedule, yet "Alarm" named something: a start may still be
    // pending for it, and would open the program for nothing.
    if (!IsArmed())
        ClearSchedule();
}

void CItemDatabase::Rescan()
{
    SYSTEMTIME time{};
    CEOID oid = 0;
    FindEarliestAlarm(time, oid);
    SetAlarm(&time, oid);
}

void CItemDatabase::SetAlarm(const SYSTEMTIME* pTime, CEOID oid)
{
    if (IsEmptyTime(pTime)) {
        // Also when the armed time has passed: its start has happened, and a
        // schedule left standing would keep later reminders from being set.
        if (IsArmed())
            ClearSchedule();
        return;
    }
    const COleDateTime time(*pTime);
    if (time.GetStatus() != COleDateTime::valid)
        return;  // never scheduled; what is armed stays armed
    m_timeArmed = time;
    Schedule(pTime, oid);
}

void CItemDatabase::ClearSchedule()
{
    m_timeArmed = COleDateTime();
    Schedule(nullptr, 0);
}

void CItemDatabase::Schedule(const SYSTEMTIME* pTime, CEOID oid)
{
    WCHAR szPath[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    if (!CeRunAppAtTime(szPath, pTime))
        AfxMessageBox(u"Alarm set failed!", MB_OK);
    SaveArmedItem(oid);
}

BOOL CItemDatabase::LoadArmedItem(CEOID& oid)
{
    oid = 0;
    if (!m_pszKeyPath || !m_pszValueName)
        return FALSE;
    DWORD value = 0;
    CRegistryKey key(m_pszKeyPath);
    const BOOL read = key.GetDword(m_pszValueName, &value, 0);
    oid = value;
    return read;
}

void CItemDatabase::SaveArmedItem(CEOID oid)
{
    if (!m_pszKeyPath || !m_pszValueName)
        return;
    CRegistryKey key(m_pszKeyPath);
    key.SetDword(m_pszValueName, oid);
}

void CItemDatabase::OnItemAdded(const SYSTEMTIME& alarm, CEOID oid)
{
    if (IsEmptyTime(&alarm) || !IsValidAlarm(alarm))
        return;
    if (HasArmedTimePassed()) {
        Rescan();  // the new record is written: the rescan sees it
        return;
    }
    if (IsArmed() && m_timeArmed < COleDateTime(alarm))
        return;
    SetAlarm(&alarm, oid);
}

void CItemDatabase::OnItemChanged(const SYSTEMTIME& newAlarm, const SYSTEMTIME& oldAlarm, CEOID oid)
{
    if (std::memcmp(&newAlarm, &oldAlarm, sizeof newAlarm) == 0)
        return;
    if (IsEmptyTime(&newAlarm)) {
        if (!IsArmed())
            return;
        const COleDateTime oldTime(oldAlarm);
        if (!HasArmedTimePassed() && oldTime.GetStatus() == COleDateTime::valid && m_timeArmed < oldTime)
            return;  // the removed alarm was not the armed one
    }
    if (IsArmed()) {
        Rescan();
        return;
    }
    SetAlarm(&newAlarm, oid);
}

void CItemDatabase::OnItemDeleted(CEOID oid)
{
    SYSTEMTIME time{};
    if (!ReadAlarmOf(oid, time))
        return;
    if (IsEmptyTime(&time) || !IsArmed())
        return;
    if (!HasArmedTimePassed() && !(COleDateTime(time) == m_timeArmed))
        return;
    // The record still counts in a rescan until the document deletes it.
    CCeDBRecord record;
    record.AddProp(CCeDBProp(CCeDBProp::Type_Blob, m_idAlarmProp));
    SetRecordAlarm(record, nullptr);
    WriteCurrRecord(&record);
    Rescan();
}

BOOL CItemDatabase::FindEarliestAlarm(SYSTEMTIME& time, CEOID& oid)
{
    CEOID current = SeekFirst();
    if (current == 0)
        return FALSE;

    COleDateTime best = NeverTime();
    SYSTEMTIME bestTime{};
    CEOID bestId = 0;
    BOOL found = FALSE;
    CCeDBRecord record;
    record.AddProp(CCeDBProp(CCeDBProp::Type_Blob, m_idAlarmProp));
    for (; current != 0; current = SeekNext()) {
        record[0]->Empty();
        SYSTEMTIME alarm{};
        if (!ReadCurrRecord(&record) || !GetRecordAlarm(record, alarm) || IsEmptyTime(&alarm))
            continue;
        const COleDateTime candidate(alarm);
        // A stored time that is no date can never be scheduled: it never wins.
        if (candidate.GetStatus() != COleDateTime::valid || !(best > candidate))
            continue;
        best = candidate;
        bestTime = alarm;
        bestId = current;
        found = TRUE;
    }
    time = bestTime;
    oid = bestId;
    return found;
}

BOOL CItemDatabase::GetRecordAlarm(const CCeDBRecord& record, SYSTEMTIME& time) const
{
    const CCeDBProp* prop = record.GetPropFromPropID(MAKEPROP(m_idAlarmProp, CEVT_BLOB));
    if (!prop || !prop->HasValue())
        return FALSE;
    const CEBLOB blob = prop->GetBlob();
    // Written by someone else and too short: no alarm rather than half of one.
    if (blob.dwCount < ALARM_BYTES)
        return FALSE;
    std::memcpy(&time, blob.lpb, ALARM_BYTES);
    return TRUE;
}

void CItemDatabase::SetRecordAlarm(CCeDBRecord& record, const SYSTEMTIME* pTime) const
{
    CCeDBProp* prop = record.GetPropFromID(m_idAlarmProp);
    if (!prop)
        return;
    SYSTEMTIME time{};
    if (pTime)
        time = *pTime;
    prop->SetBlob(reinterpret_cast<const BYTE*>(&time), ALARM_BYTES);
}

BOOL CItemDatabase::ReadAlarmOf(CEOID oid, SYSTEMTIME& time)
{
    if (oid == 0 || !SeekToRecord(oid))
        return FALSE;
    CCeDBRecord record;
    record.AddProp(CCeDBProp(CCeDBProp::Type_Blob, m_idAlarmProp));
    if (!ReadCurrRecord(&record))
        return FALSE;
    if (!GetRecordAlarm(record, time))
        time = SYSTEMTIME{};
    return TRUE;
}
