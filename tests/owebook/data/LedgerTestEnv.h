#pragma once
// What the ledger tests share: a fresh device per test (store and registry
// live in its folder), a fixed clock, time zone and locale, and the program's
// resources registered.

#include "owebook/res/ResourceTables.h"
#include "platform/core/CString.h"
#include "platform/core/Clock.h"
#include "platform/core/Locale.h"
#include "platform/store/Store.h"
#include "support/TestZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <ftw.h>
#include <optional>
#include <string>
#include <unistd.h>

// 2024-03-10 14:30:00 UTC, a Sunday; 15:30 in Berlin.
constexpr std::int64_t TEST_NOW = 1710081000;

class TestDevice {
public:
    TestDevice()
    {
        char pattern[] = "/tmp/owebook-ledger-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_root = made ? made : "";
        if (const char* old = std::getenv("OWEBOOK_HOME"))
            m_previous = old;
        setenv("OWEBOOK_HOME", (m_root + "/device").c_str(), 1);
    }
    // Goes back to the device in force before, so that devices can nest.
    ~TestDevice()
    {
        platform::Store::ReleaseDevice();
        if (m_previous)
            setenv("OWEBOOK_HOME", m_previous->c_str(), 1);
        else
            unsetenv("OWEBOOK_HOME");
        if (!m_root.empty())
            nftw(m_root.c_str(), [](const char* path, const struct stat*, int, FTW*) { return ::remove(path); }, 16,
                 FTW_DEPTH | FTW_PHYS);
    }
    TestDevice(const TestDevice&) = delete;
    TestDevice& operator=(const TestDevice&) = delete;

    // Drops this process's connection, as when the program ends.
    static void Restart() { platform::Store::ReleaseDevice(); }

private:
    std::string m_root;
    std::optional<std::string> m_previous;
};

class TestLocale {
public:
    explicit TestLocale(const char* name) { platform::SetLocaleName(name); }
    ~TestLocale()
    {
        platform::SetLocaleName(nullptr);
        platform::SetUserShortDateFormat(nullptr);
        platform::SetUserTimeFormat(nullptr);
    }
    TestLocale(const TestLocale&) = delete;
    TestLocale& operator=(const TestLocale&) = delete;
};

// Everything a ledger test runs under.
class LedgerTest : public testing::Test {
protected:
    LedgerTest() : m_clock(TEST_NOW), m_zone("Europe/Berlin"), m_locale("en_US")
    {
        RegisterResources();
    }

    TestDevice m_device;
    platform::FixedClock m_clock;
    TestZone m_zone;
    TestLocale m_locale;
};

inline std::string Utf8(const CString& text) { return text.ToUtf8(); }
