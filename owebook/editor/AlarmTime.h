#pragma once
// When an item's reminder fires: its due time less the reminder's lead time.

#include "owebook/data/ReminderSpec.h"
#include "platform/core/Types.h"

// The local-time alarm for a due time value and a reminder; all zero when the
// reminder is off or there is no due date. A lead longer than the time since
// 1970 gives the earliest time there is.
SYSTEMTIME ItemAlarmTime(DWORD dueTime, const ReminderSpec& reminder);
