#pragma once
// How long a reminder's lead time or a snooze lasts, in seconds. Months are
// counted from the current local month, whatever date they are applied to.

#include "owebook/data/ReminderSpec.h"

DWORD ReminderSpecToSeconds(const ReminderSpec& spec);
