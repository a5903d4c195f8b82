#include "platform/core/OleDateTime.h"

#include "platform/core/Clock.h"
#include "platform/core/Time.h"
#include "platform/core/VariantTime.h"

#include <cmath>

COleDateTime::COleDateTime(DATE date) { *this = date; }

COleDateTime::COleDateTime(const SYSTEMTIME& time) { *this = time; }

COleDateTime::COleDateTime(DWORD time32)
{
    SYSTEMTIME local{};
    if (Time32ToLocalSystemTime(time32, &local))
        *this = local;
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return COleDateTime(now);
}

COleDateTime& COleDateTime::operator=(DATE date)
{
    m_dt = date;
    m_status = date >= OLE_DATE_MIN && date <= OLE_DATE_MAX ? valid : invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& time)
{
    DATE date = 0;
    if (SystemTimeToVariantTime(&time, &date)) {
        m_dt = date;
        m_status = valid;
    } else {
        m_status = invalid;
    }
    return *this;
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    auto fits = [](int v) { return v >= 0 && v <= 0xFFFF; };
    if (!fits(year) || !fits(month) || !fits(day) || !fits(hour) || !fits(minute) || !fits(second)) {
        m_status = invalid;
        return 1;
    }
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(year);
    st.wMonth = static_cast<WORD>(month);
    st.wDay = static_cast<WORD>(day);
    st.wHour = static_cast<WORD>(hour);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(second);
    *this = st;
    return m_status == valid ? 0 : 1;
}

bool COleDateTime::Fields(SYSTEMTIME& time) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &time);
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const
{
    SYSTEMTIME st{};
    if (!Fields(st))
        return false;
    time = st;
    return true;
}

int COleDateTime::GetYear() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wYear : -1;
}

int COleDateTime::GetMonth() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wMonth : -1;
}

int COleDateTime::GetDay() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wDay : -1;
}

int COleDateTime::GetHour() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wHour : -1;
}

int COleDateTime::GetMinute() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wMinute : -1;
}

int COleDateTime::GetSecond() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wSecond : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st{};
    return Fields(st) ? st.wDayOfWeek + 1 : -1;
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return platform::LinearFromOleDate(m_dt) < platform::LinearFromOleDate(other.m_dt);
}
