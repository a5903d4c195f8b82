#pragma once
// The items database "OwebookMain", told by the document of every item it
// adds, changes or deletes so that the earliest alarm can stay scheduled.
// The scheduling itself is not written yet: the hooks do nothing.

#include "platform/core/Types.h"
#include "platform/store/CCeDBDatabase.h"

class CItemDatabase : public CCeDBDatabase {
public:
    CItemDatabase();
    ~CItemDatabase() override;

    virtual void SetupAlarms(WORD alarmPropId, LPCWSTR registryKey, LPCWSTR valueName);
    virtual void OnItemAdded(const SYSTEMTIME& alarm, CEOID oid);
    virtual void OnItemChanged(const SYSTEMTIME& newAlarm, const SYSTEMTIME& oldAlarm, CEOID oid);
    virtual void OnItemDeleted(CEOID oid);
};
