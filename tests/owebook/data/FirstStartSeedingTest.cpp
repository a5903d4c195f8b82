// A first start on a disk that fills up part-way: the categories, the example
// item and the version stamp are all written or none is, the user is told,
// and the next start with room seeds everything. A file-size limit on this
// process stands in for the full disk: the store's log cannot grow past it.

#include "DocumentTestEnv.h"

#include "owebook/data/CategoryStore.h"
#include "platform/store/Device.h"
#include "platform/testing/ScriptedUser.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {

// While it lives, a write that would make a file larger than `limit` bytes
// fails (EFBIG, or a short write), as it would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(off_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered{static_cast<rlim_t>(limit), m_saved.rlim_max};
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

// The store's write-ahead log: where every write goes first.
off_t LogSize()
{
    struct stat st {};
    return stat((platform::StoreFilePath() + "-wal").c_str(), &st) == 0 ? st.st_size : 0;
}

// What a start finds: -1 for a database that is not there.
struct Ledger {
    int categories = -1;
    int items = -1;
    int versionValues = 0;
    bool operator==(const Ledger&) const = default;
};

void PrintTo(const Ledger& l, std::ostream* os)
{
    *os << "{categories " << l.categories << ", items " << l.items << ", version values " << l.versionValues << "}";
}

const Ledger kNothing{-1, -1, 0};
const Ledger kEverything{5, 1, 5};

int RecordsOf(LPCWSTR name)
{
    CCeDBDatabase db;
    return db.Open(name) ? static_cast<int>(db.GetRecordCount()) : -1;
}

Ledger Found()
{
    Ledger found{RecordsOf(CATEGORIES_DATABASE), RecordsOf(ITEMS_DATABASE), 0};
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, VERSION_KEY, 0, 0, &hKey) != ERROR_SUCCESS)
        return found;
    for (LPCWSTR name : {u"Major", u"Minor", u"Bug", u"Letter", u"Build"}) {
        BYTE data[8];
        DWORD size = sizeof data;
        found.versionValues += RegQueryValueExW(hKey, name, nullptr, nullptr, data, &size) == ERROR_SUCCESS;
    }
    RegCloseKey(hKey);
    return found;
}

using FirstStartSeeding = DocumentTest;

TEST_F(FirstStartSeeding, IsWholeOrAbsentWhereverTheDiskFillsAndTheNextStartCompletesIt)
{
    off_t needed = 0;
    {
        TestDevice device;
        ASSERT_TRUE(platform::Store::ForDevice());
        const off_t before = LogSize();
        EXPECT_TRUE(CRecordingDoc().OnNewDocument());
        needed = LogSize() - before;
        ASSERT_EQ(Found(), kEverything);
    }
    ASSERT_GT(needed, 0);
    std::printf("a first start writes %lld bytes to the log\n", static_cast<long long>(needed));

    std::vector<off_t> rooms;
    for (off_t room = 0; room < needed; room += 2003)  // lands inside headers, frames and pages
        rooms.push_back(room);
    rooms.push_back(needed);
    for (off_t room : rooms) {
        SCOPED_TRACE("room for " + std::to_string(room) + " of the " + std::to_string(needed) + " bytes needed");
        TestDevice device;
        ASSERT_TRUE(platform::Store::ForDevice());
        const bool enough = room == needed;
        {
            platform::testing::ScriptedUser user;
            if (!enough)
                user.ExpectMessageBox(u"Error while creating main database!").Answer(IDOK);
            FileSizeLimit limit(LogSize() + room);
            EXPECT_EQ(CRecordingDoc().OnNewDocument(), enough ? TRUE : FALSE);
        }
        TestDevice::Restart();
        EXPECT_EQ(Found(), enough ? kEverything : kNothing);

        // Room again: the next start seeds what is missing, once.
        auto doc = Start();
        EXPECT_EQ(Found(), kEverything);
        End(doc);
    }
}

}  // namespace
