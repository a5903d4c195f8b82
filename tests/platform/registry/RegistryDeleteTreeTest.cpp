#include "platform/store/DeviceFolder.h"

#include "platform/core/LastError.h"
#include "platform/registry/KeyHandle.h"
#include "platform/registry/Registry.h"
#include "platform/store/SqlQuery.h"

#include <string>

namespace {

// Several trees, each with subkeys and values, deleted one after another on
// one connection: every key and value of each is gone, the others stay.
TEST(RegistryDeleteTree, TreesDeletedInTurnLeaveNothingBehind)
{
    DeviceFolder device;
    constexpr int kTrees = 6;
    DWORD one = 1;
    for (int tree = 0; tree < kTrees; ++tree)
        for (const char16_t* below : {u"", u"\\A", u"\\A\\B", u"\\C"}) {
            std::u16string path = u"Trees\\T" + std::u16string(1, char16_t(u'0' + tree)) + below;
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr),
                      ERROR_SUCCESS);
            ASSERT_EQ(RegSetValueExW(key, u"V", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), sizeof one),
                      ERROR_SUCCESS);
            RegCloseKey(key);
        }
    for (int tree = 0; tree < kTrees - 1; ++tree) {
        std::u16string path = u"Trees\\T" + std::u16string(1, char16_t(u'0' + tree));
        ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str()), ERROR_SUCCESS);
        for (const char16_t* below : {u"", u"\\A", u"\\A\\B", u"\\C"}) {
            HKEY key = nullptr;
            EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (path + below).c_str(), 0, 0, &key), ERROR_FILE_NOT_FOUND)
                << tree;
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        }
    }
    // The last tree was never deleted.
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Trees\\T5\\A\\B", 0, 0, &key), ERROR_SUCCESS);
    DWORD size = sizeof one;
    EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, reinterpret_cast<BYTE*>(&one), &size), ERROR_SUCCESS);
    RegCloseKey(key);
    // No value is left without its key.
    DeviceFolder::Reopen();
    auto store = platform::Store::ForDevice();
    ASSERT_TRUE(store);
    platform::SqlQuery orphans(*store, "SELECT count(*) FROM regvalues WHERE key NOT IN (SELECT id FROM regkeys)"
                                       " AND key NOT IN (?1, ?2)");
    orphans.Bind(1, platform::kLocalMachineKey).Bind(2, platform::kCurrentUserKey);
    ASSERT_TRUE(orphans.Step());
    EXPECT_EQ(orphans.Int(0), 0);
}

}  // namespace
