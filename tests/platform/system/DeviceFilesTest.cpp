// The device's \windows folder gets the platform's and the program's files:
// written when missing or still an earlier version's copy, never over a
// file someone changed; privately and atomically; a failure is one line on
// stderr and the program goes on.

#include "platform/store/DeviceFolder.h"

#include "platform/system/devicefiles/AlarmSound.h"
#include "platform/system/devicefiles/DeviceFiles.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCryptographicHash>

#include <dirent.h>
#include <functional>
#include <sys/stat.h>

namespace {

constexpr char kName[] = "Guide.htm";
const unsigned char kOurs[] = "<p>new guide</p>";
constexpr std::size_t kOursSize = sizeof kOurs - 1;
const std::string kOursText(reinterpret_cast<const char*>(kOurs), kOursSize);
const std::string kEarlier = "<p>old guide</p>";

std::string Sha256(const std::string& bytes)
{
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* e = readdir(dir))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.push_back(e->d_name);
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Windows(const DeviceFolder& device) { return device.Home() + "/windows"; }

// The bytes of a plain file; empty for anything else (a folder does not read).
std::string PlainBytes(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? ReadFileBytes(path) : std::string();
}

struct stat Stat(const std::string& path)
{
    struct stat st {};
    lstat(path.c_str(), &st);
    return st;
}

class DeviceFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::RegisterDeviceFile(kName, kOurs, kOursSize)); }

    std::string Path(const std::string& name) const { return Windows(device) + "/" + name; }
    void MakeWindows() const { mkdir(device.Home().c_str(), 0700), mkdir(Windows(device).c_str(), 0700); }
    void List(const std::string& text) const { WriteFileBytes(Path(".installed"), text); }

    DeviceFolder device;
};

}  // namespace

TEST_F(DeviceFilesTest, AFreshDeviceGetsEveryFilePrivately)
{
    std::string why;
    ASSERT_TRUE(platform::InstallDeviceFiles(&why)) << why;
    EXPECT_EQ(Stat(Windows(device)).st_mode & 07777, 0700u);
    EXPECT_EQ(ReadFileBytes(Path("alarm2.WAV")),
              std::string(reinterpret_cast<const char*>(platform::AlarmSoundData()), platform::AlarmSoundSize()));
    EXPECT_EQ(ReadFileBytes(Path(kName)), kOursText);
    for (const char* name : {"alarm2.WAV", kName, ".installed"})
        EXPECT_EQ(Stat(Path(name)).st_mode & 07777, 0600u) << name;
    EXPECT_EQ(Entries(Windows(device)), (std::vector<std::string>{".installed", kName, "alarm2.WAV"}))
        << "no temporary file is left behind";
    EXPECT_NE(ReadFileBytes(Path(".installed")).find(Sha256(kOursText) + " " + kName + "\n"), std::string::npos);
}

TEST_F(DeviceFilesTest, ASecondStartTouchesNothing)
{
    ASSERT_TRUE(platform::InstallDeviceFiles());
    const struct stat file = Stat(Path(kName)), list = Stat(Path(".installed"));
    ASSERT_TRUE(platform::InstallDeviceFiles());
    EXPECT_EQ(Stat(Path(kName)).st_ino, file.st_ino);
    EXPECT_EQ(Stat(Path(".installed")).st_ino, list.st_ino) << "an unchanged list is not rewritten";
}

struct RuleCase {
    const char* name;
    std::function<void(const std::string& windows)> before;   // what the folder holds at start
    const char* file;            // the entry that ends up holding the guide
    bool replaced;               // our bytes there afterwards, else left as it was
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class DeviceFilesRule : public DeviceFilesTest, public ::testing::WithParamInterface<RuleCase> {};

TEST_P(DeviceFilesRule, WritesOnlyWhatIsMissingOrAnEarlierVersionsUntouchedCopy)
{
    MakeWindows();
    GetParam().before(Windows(device));
    const std::string path = Path(GetParam().file);
    const std::string before = PlainBytes(path);
    const struct stat was = Stat(path);

    std::string why;
    EXPECT_TRUE(platform::InstallDeviceFiles(&why)) << why;
    if (GetParam().replaced) {
        EXPECT_EQ(ReadFileBytes(path), kOursText);
        EXPECT_TRUE(S_ISREG(Stat(path).st_mode));
        EXPECT_NE(ReadFileBytes(Path(".installed")).find(Sha256(kOursText) + " " + GetParam().file),
                  std::string::npos);
    } else {
        EXPECT_EQ(PlainBytes(path), before);
        EXPECT_EQ(Stat(path).st_ino, was.st_ino);
        EXPECT_EQ(Stat(path).st_mode, was.st_mode);
    }
    for (const std::string& name : Entries(Windows(device)))
        EXPECT_TRUE(name == ".installed" || name[0] != '.') << name << " left behind";
    int guides = 0;
    for (const std::string& name : Entries(Windows(device)))
        guides += strcasecmp(name.c_str(), kName) == 0;
    EXPECT_EQ(guides, 1) << "one file of that name, letter case aside";
}

INSTANTIATE_TEST_SUITE_P(
    DeviceFiles, DeviceFilesRule,
    ::testing::Values(
        RuleCase{"Missing", [](const std::string&) {}, kName, true},
        RuleCase{"MissingThoughListed",
                 [](const std::string& w) { WriteFileBytes(w + "/.installed", Sha256(kEarlier) + " Guide.htm\n"); },
                 kName, true},
        RuleCase{"EarlierVersionsCopy",
                 [](const std::string& w) {
                     WriteFileBytes(w + "/Guide.htm", kEarlier);
                     WriteFileBytes(w + "/.installed", "junk line\n" + Sha256(kEarlier) + " Guide.htm\n");
                 },
                 kName, true},
        RuleCase{"EarlierCopyInOtherLetterCase",
                 [](const std::string& w) {
                     WriteFileBytes(w + "/GUIDE.HTM", kEarlier);
                     WriteFileBytes(w + "/.installed", Sha256(kEarlier) + " GUIDE.HTM\n");
                 },
                 "GUIDE.HTM", true},
        RuleCase{"UsersOwnFile", [](const std::string& w) { WriteFileBytes(w + "/Guide.htm", "my own notes"); },
                 kName, false},
        RuleCase{"OurCopyChangedByTheUser",
                 [](const std::string& w) {
                     WriteFileBytes(w + "/Guide.htm", kEarlier + "<p>my remark</p>");
                     WriteFileBytes(w + "/.installed", Sha256(kEarlier) + " Guide.htm\n");
                 },
                 kName, false},
        RuleCase{"EarlierCopyButNoList", [](const std::string& w) { WriteFileBytes(w + "/Guide.htm", kEarlier); },
                 kName, false},
        RuleCase{"EarlierCopyAndAListOfGarbage",
                 [](const std::string& w) {
                     WriteFileBytes(w + "/Guide.htm", kEarlier);
                     WriteFileBytes(w + "/.installed", std::string(200000, '\xff'));
                 },
                 kName, false},
        RuleCase{"LinkToElsewhere",
                 [](const std::string& w) {
                     WriteFileBytes(w + "/../elsewhere", kEarlier);
                     symlink("../elsewhere", (w + "/Guide.htm").c_str());
                     WriteFileBytes(w + "/.installed", Sha256(kEarlier) + " Guide.htm\n");
                 },
                 kName, false},
        RuleCase{"AFolderOfThatName", [](const std::string& w) { mkdir((w + "/Guide.htm").c_str(), 0700); }, kName,
                 false},
        RuleCase{"SameBytesAlready", [](const std::string& w) { WriteFileBytes(w + "/Guide.htm", kOursText); }, kName,
                 false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceFilesTest, SameBytesNotYetListedAreListedSoALaterVersionMayUpdateThem)
{
    MakeWindows();
    WriteFileBytes(Path(kName), kOursText);
    ASSERT_TRUE(platform::InstallDeviceFiles());
    EXPECT_NE(ReadFileBytes(Path(".installed")).find(Sha256(kOursText) + " " + kName), std::string::npos);
}

TEST_F(DeviceFilesTest, AFailureIsOneLineOnStderrAndTheProgramGoesOn)
{
    // A file where the folder should be: nothing can be put in place.
    mkdir(device.Home().c_str(), 0700);
    WriteFileBytes(Windows(device), "not a folder");
    std::string why;
    EXPECT_FALSE(platform::InstallDeviceFiles(&why));
    EXPECT_NE(why.find(Windows(device)), std::string::npos) << why;

    testing::internal::CaptureStderr();
    platform::InstallDeviceFilesAtStart();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find(Windows(device)), std::string::npos) << said;
    EXPECT_EQ(ReadFileBytes(Windows(device)), "not a folder");
}

TEST_F(DeviceFilesTest, AReadOnlyFolderFailsWithoutHalfWrittenFiles)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    MakeWindows();
    chmod(Windows(device).c_str(), 0500);
    std::string why;
    EXPECT_FALSE(platform::InstallDeviceFiles(&why));
    EXPECT_NE(why.find(Windows(device)), std::string::npos) << why;
    EXPECT_TRUE(Entries(Windows(device)).empty());
}

TEST(DeviceFileNames, PlainNamesOnlyAndALaterRegistrationReplaces)
{
    const unsigned char bytes[] = "x";
    for (std::string_view refused : {std::string_view(""), std::string_view(".hidden"), std::string_view("a/b"),
                                     std::string_view("a\0b", 3)})
        EXPECT_FALSE(platform::RegisterDeviceFile(refused, bytes, 1)) << refused;
    EXPECT_FALSE(platform::RegisterDeviceFile("Data.bin", nullptr, 4));

    ASSERT_TRUE(platform::RegisterDeviceFile("Notes.txt", bytes, 1));
    ASSERT_TRUE(platform::RegisterDeviceFile("NOTES.TXT", bytes, 0));
    EXPECT_FALSE(platform::RegisterDeviceFile("ALARM2.wav", bytes, 1)) << "the platform's own sound stays";
    int notes = 0;
    const std::vector<platform::DeviceFile> files = platform::DeviceFiles();
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front().name, "alarm2.WAV");
    EXPECT_EQ(files.front().data, platform::AlarmSoundData());
    for (const platform::DeviceFile& file : files) {
        if (strcasecmp(file.name.c_str(), "notes.txt") == 0) {
            ++notes;
            EXPECT_EQ(file.name, "NOTES.TXT");
            EXPECT_EQ(file.size, 0u);
        }
        EXPECT_TRUE(file.name == "alarm2.WAV" || strcasecmp(file.name.c_str(), "alarm2.wav") != 0);
    }
    EXPECT_EQ(notes, 1);
}
