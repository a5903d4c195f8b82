#include "DocumentTestEnv.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    const char* what;
    bool keyExists;
    bool majorExists;
    DWORD major, minor, bug;
    int writes;
    int newer;
    friend std::ostream& operator<<(std::ostream& os, const VersionCase& c) { return os << c.what; }
};

class DocumentVersionCheck : public DocumentTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(DocumentVersionCheck, StampsAFirstStartAndNoticesANewerVersion)
{
    const VersionCase& c = GetParam();
    if (c.keyExists) {
        SetVersion(c.major, c.minor, c.bug);
        if (!c.majorExists) {
            HKEY hKey = nullptr;
            ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, VERSION_KEY, 0, 0, &hKey), ERROR_SUCCESS);
            RegDeleteValueW(hKey, u"Major");
            RegCloseKey(hKey);
        }
    }
    CRecordingDoc doc;
    doc.CheckVersion();
    EXPECT_EQ(doc.m_nWrites, c.writes);
    EXPECT_EQ(doc.m_nNewer, c.newer);

    // Nothing is converted: the stored version stays unless it was a first start.
    DWORD major = 0, minor = 0, bug = 0;
    EXPECT_TRUE(VersionValue(u"Major", major));
    VersionValue(u"Minor", minor);
    VersionValue(u"Bug", bug);
    if (c.writes) {
        EXPECT_EQ(major, 1u);
        EXPECT_EQ(minor, 0u);
        EXPECT_EQ(bug, 0u);
    } else {
        EXPECT_EQ(major, c.major);
        EXPECT_EQ(minor, c.minor);
        EXPECT_EQ(bug, c.bug);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, DocumentVersionCheck,
    testing::Values(VersionCase{"fresh device", false, false, 0, 0, 0, 1, 0},
                    VersionCase{"1.0.0", true, true, 1, 0, 0, 0, 0},
                    VersionCase{"2.0.0", true, true, 2, 0, 0, 0, 1},
                    VersionCase{"1.1.0", true, true, 1, 1, 0, 0, 1},
                    VersionCase{"1.0.1", true, true, 1, 0, 1, 0, 1},
                    VersionCase{"major 0", true, true, 0, 5, 5, 1, 0},
                    VersionCase{"major missing", true, false, 0, 5, 5, 1, 0},
                    // Compared unsigned: a "negative" major is a very new one.
                    VersionCase{"major 0xFFFFFFFF", true, true, 0xFFFFFFFFu, 0, 0, 0, 1}));

}  // namespace
