#pragma once
// The items database "OwebookMain", with the bookkeeping of its alarms: of
// all items' alarm times, the earliest is kept scheduled with the run-at-time
// service, and the registry names the item it belongs to. The document tells
// it of every item it adds, changes or deletes.
//
// States: idle (nothing armed, "Alarm" 0), armed (m_timeArmed in the future,
// the program's start pending at that time), passed (m_timeArmed has come;
// the start it asked for has happened or is happening). In the passed state
// nothing is trusted to m_timeArmed any more: every decision rescans.

#include "platform/core/OleDateTime.h"
#include "platform/core/Types.h"
#include "platform/store/CCeDBDatabase.h"

class CItemDatabase : public CCeDBDatabase {
public:
    CItemDatabase();
    ~CItemDatabase() override;

    virtual void SetupAlarms(WORD idAlarmProp, LPCWSTR pszKeyPath, LPCWSTR pszValueName);
    // Schedules the program's start at `pTime` for item `oid`; a null or
    // empty time clears the schedule.
    virtual void SetAlarm(const SYSTEMTIME* pTime, CEOID oid);
    // FALSE when the value could not be read (then `oid` is 0).
    virtual BOOL LoadArmedItem(CEOID& oid);
    virtual void SaveArmedItem(CEOID oid);

    // All-zero times are no alarm.
    void OnItemAdded(const SYSTEMTIME& alarm, CEOID oid);
    // After the record has been overwritten; `oldAlarm` is what it held before.
    void OnItemChanged(const SYSTEMTIME& newAlarm, const SYSTEMTIME& oldAlarm, CEOID oid);
    // Before the record is deleted.
    void OnItemDeleted(CEOID oid);

    // The earliest valid alarm time of all records, passed ones included, the
    // first in database order on a tie; FALSE (outputs untouched) when the
    // database is empty, FALSE with a zeroed time when no record has an alarm.
    BOOL FindEarliestAlarm(SYSTEMTIME& time, CEOID& oid);
    // FALSE when the record has no alarm property of 16 bytes.
    BOOL GetRecordAlarm(const CCeDBRecord& record, SYSTEMTIME& time) const;
    void SetRecordAlarm(CCeDBRecord& record, const SYSTEMTIME* pTime) const;

    static BOOL IsEmptyTime(const SYSTEMTIME* pTime);

    COleDateTime m_timeArmed;
    WORD m_idAlarmProp;
    LPCWSTR m_pszValueName;
    LPCWSTR m_pszKeyPath;

protected:
    BOOL IsArmed() const { return m_timeArmed.m_dt != 0.0; }
    // Armed with a time that has come: the schedule must be found anew.
    BOOL HasArmedTimePassed() const;
    // FindEarliestAlarm, then SetAlarm with what it found.
    void Rescan();
    // Back to idle: no start pending, "Alarm" 0.
    void ClearSchedule();
    // The run-at-time request (none for a null time), then "Alarm".
    void Schedule(const SYSTEMTIME* pTime, CEOID oid);
    // Seeks to the record and reads only its alarm; FALSE when there is no such record.
    BOOL ReadAlarmOf(CEOID oid, SYSTEMTIME& time);
};
