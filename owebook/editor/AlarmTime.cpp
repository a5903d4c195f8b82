#include "owebook/editor/AlarmTime.h"

#include "owebook/reminders/ReminderSpecToSeconds.h"
#include "platform/core/Time.h"

SYSTEMTIME ItemAlarmTime(DWORD dueTime, const ReminderSpec& reminder)
{
    SYSTEMTIME alarm{};
    if (reminder.bOn != 1 || dueTime == 0)
        return alarm;
    const DWORD lead = ReminderSpecToSeconds(reminder);
    const DWORD at = lead < dueTime ? dueTime - lead : 0;
    if (!Time32ToLocalSystemTime(at, &alarm))
        alarm = SYSTEMTIME{};
    return alarm;
}
