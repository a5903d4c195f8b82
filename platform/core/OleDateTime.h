#pragma once
// A date and time of day as an OLE automation date with a status, in the
// manner of the framework's date-time class.

#include "platform/core/Types.h"

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;                     // 0.0 (1899-12-30 00:00), valid
    COleDateTime(DATE date);
    COleDateTime(const SYSTEMTIME& time);         // invalid when not a calendar date-time
    explicit COleDateTime(DWORD time32);          // a time value, in local time
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();         // local time, whole seconds

    // A failed assignment sets the status to invalid and keeps m_dt.
    COleDateTime& operator=(DATE date);
    COleDateTime& operator=(const SYSTEMTIME& time);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // 0 on success, 1 when the fields are no date (the status becomes invalid).
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }

    bool GetAsSystemTime(SYSTEMTIME& time) const;

    // -1 unless the status is valid; the day of week counts from 1 = Sunday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;

    // Equality takes the status and the stored value; the orderings compare
    // points in time.
    bool operator==(const COleDateTime& other) const { return m_status == other.m_status && m_dt == other.m_dt; }
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    bool Fields(SYSTEMTIME& time) const;
};
