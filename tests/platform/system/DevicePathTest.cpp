// The handheld's paths below the device folder: "\windows\alarm2.WAV", any
// letter case, and nothing that leads out of the device.

#include "platform/store/DeviceFolder.h"

#include "platform/system/devicefiles/DevicePath.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

struct PathCase {
    const char* name;
    std::u16string devicePath;
    const char* expected;   // below the device folder; null: refused
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class DevicePathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(DevicePathTest, MapsBelowTheDeviceFolderMatchingExistingEntriesInAnyCase)
{
    DeviceFolder device;
    mkdir(device.Home().c_str(), 0700);
    mkdir((device.Home() + "/Windows").c_str(), 0700);
    WriteFileBytes(device.Home() + "/Windows/ALARM2.wav", "x");

    const std::optional<std::string> path = platform::HostPathForDevicePath(GetParam().devicePath);
    if (!GetParam().expected) {
        EXPECT_FALSE(path) << *path;
        return;
    }
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, device.Home() + GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Device, DevicePathTest,
    ::testing::Values(PathCase{"ExistingInOtherCase", u"\\windows\\alarm2.WAV", "/Windows/ALARM2.wav"},
                      PathCase{"MissingKeepsItsName", u"\\windows\\Help.htm", "/Windows/Help.htm"},
                      PathCase{"MissingFolder", u"\\My Documents\\a.txt", "/My Documents/a.txt"},
                      PathCase{"Root", u"\\", ""},
                      PathCase{"TrailingBackslash", u"\\WINDOWS\\", "/Windows"},
                      PathCase{"NonAscii", u"\\windows\\\u00c4rger.txt", "/Windows/\xc3\x84rger.txt"},
                      PathCase{"Relative", u"windows\\alarm2.WAV", nullptr},
                      PathCase{"Empty", u"", nullptr},
                      PathCase{"Parent", u"\\..\\secret", nullptr},
                      PathCase{"ParentLater", u"\\windows\\..\\..\\x", nullptr},
                      PathCase{"Dot", u"\\.\\windows", nullptr},
                      PathCase{"Slash", u"\\windows\\a/../../b", nullptr},
                      PathCase{"EmptyPart", u"\\windows\\\\x", nullptr},
                      PathCase{"ZeroCharacter", std::u16string(u"\\windows\\a\0b", 12), nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceWindowsFolder, IsTheWindowsFolderOfTheDevice)
{
    DeviceFolder device;
    EXPECT_EQ(platform::DeviceWindowsFolder(), device.Home() + "/windows");
}
