#pragma once
// Sets the process time zone for one test and puts the old one back.

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

class TestZone {
public:
    explicit TestZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TestZone()
    {
        if (m_old)
            setenv("TZ", m_old->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    TestZone(const TestZone&) = delete;
    TestZone& operator=(const TestZone&) = delete;

private:
    std::optional<std::string> m_old;
};

#include "platform/core/Types.h"

inline SYSTEMTIME MakeTime(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wMilliseconds = static_cast<WORD>(ms);
    return st;
}
