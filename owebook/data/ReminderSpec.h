#pragma once
// How long before the due date an item's alarm fires, or how long a snoozed
// reminder waits. Stored as the 8 raw bytes of a blob, little-endian.

#include "platform/core/Types.h"

enum ReminderUnit : BYTE {
    REMINDER_MINUTES = 0,
    REMINDER_HOURS = 1,
    REMINDER_DAYS = 2,
    REMINDER_WEEKS = 3,
    REMINDER_MONTHS = 4,
};

struct ReminderSpec {
    ReminderSpec() : bOn(0), nUnit(REMINDER_DAYS), nCount(1), wPad(0) {}
    ReminderSpec(DWORD on, BYTE unit, BYTE count) : bOn(on), nUnit(unit), nCount(count), wPad(0) {}

    DWORD bOn;
    BYTE nUnit;   // any other unit: nCount counts seconds
    BYTE nCount;
    WORD wPad;    // never read

    friend bool operator==(const ReminderSpec& a, const ReminderSpec& b)
    {
        return a.bOn == b.bOn && a.nUnit == b.nUnit && a.nCount == b.nCount;
    }
    friend bool operator!=(const ReminderSpec& a, const ReminderSpec& b) { return !(a == b); }
};

static_assert(sizeof(ReminderSpec) == 8, "stored as 8 bytes");
