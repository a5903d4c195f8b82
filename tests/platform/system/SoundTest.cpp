// PlaySoundW and the beeps, up to the sound service: which file or theme
// sound each call asks for, whether it waits, and what it answers when the
// sound is missing. SoundServiceTest.cpp plays them for real.

#include "platform/store/DeviceFolder.h"

#include "platform/core/CString.h"
#include "platform/system/devicefiles/DeviceFiles.h"
#include "platform/system/sound/Sound.h"
#include "platform/system/sound/SoundOutput.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class RecordingOutput : public platform::SoundOutput {
public:
    bool PlayEvent(const std::string& eventId) override
    {
        played.push_back("event " + eventId);
        return answer;
    }
    bool PlayFile(const std::string& path, bool wait, int waitMs) override
    {
        played.push_back("file " + path + (wait ? " wait " + std::to_string(waitMs) : " async"));
        return answer;
    }
    bool FilePlaying() override { return playing; }
    void StopFile() override { played.push_back("stop"); }

    std::vector<std::string> played;
    bool answer = true;
    bool playing = false;
};

class Sounds : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(platform::InstallDeviceFiles());
        platform::SetSoundOutputForTesting(&m_output);
    }
    void TearDown() override { platform::SetSoundOutputForTesting(nullptr); }

    std::string Alarm() const { return m_device.Home() + "/windows/alarm2.WAV"; }

    DeviceFolder m_device;
    RecordingOutput m_output;
};

TEST_F(Sounds, TheAlarmPlaysFromTheDevicesWindowsFolderAndTheCallWaitsForIt)
{
    EXPECT_TRUE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    EXPECT_EQ(m_output.played, (std::vector<std::string>{"file " + Alarm() + " wait 10000"}));
}

TEST_F(Sounds, NamesAreDevicePathsOfAnyLetterCaseOrFileNamesInWindows)
{
    struct Case {
        const char16_t* name;
        DWORD flags;
        std::string played;
    } cases[] = {
        {u"\\WINDOWS\\ALARM2.wav", SND_SYNC, "file " + Alarm() + " wait 10000"},
        {u"alarm2.wav", SND_FILENAME | SND_ASYNC, "file " + Alarm() + " async"},
        {u"\\windows\\alarm2.WAV", SND_ASYNC | SND_NODEFAULT, "file " + Alarm() + " async"},
    };
    for (const Case& c : cases) {
        m_output.played.clear();
        EXPECT_TRUE(PlaySoundW(c.name, nullptr, c.flags));
        EXPECT_EQ(m_output.played, std::vector<std::string>{c.played}) << platform::Utf16ToUtf8(c.name);
    }
}

TEST_F(Sounds, AMissingSoundIsSilenceWithNoDefaultElseTheBellAndTheAnswerIsFalse)
{
    const char16_t* missing[] = {u"\\windows\\gone.wav", u"\\windows\\..\\objectstore.db", u"\\windows",
                                 u"\\windows\\alarm2.WAV\\x", u""};
    for (const char16_t* name : missing) {
        m_output.played.clear();
        EXPECT_FALSE(PlaySoundW(name, nullptr, SND_NODEFAULT)) << platform::Utf16ToUtf8(name);
        EXPECT_TRUE(m_output.played.empty()) << platform::Utf16ToUtf8(name);
        EXPECT_FALSE(PlaySoundW(name, nullptr, SND_SYNC));
        EXPECT_EQ(m_output.played, std::vector<std::string>{"event bell"}) << platform::Utf16ToUtf8(name);
    }
}

TEST_F(Sounds, SystemSoundsPlayTheirThemeSounds)
{
    EXPECT_TRUE(PlaySoundW(u"SystemHand", nullptr, SND_ALIAS));
    EXPECT_TRUE(PlaySoundW(u"systemexclamation", nullptr, SND_ASYNC));
    EXPECT_FALSE(PlaySoundW(u"SystemHand", nullptr, SND_FILENAME | SND_NODEFAULT)) << "a file of that name";
    EXPECT_FALSE(PlaySoundW(u"alarm2.WAV", nullptr, SND_ALIAS | SND_NODEFAULT)) << "no system sound";
    EXPECT_EQ(m_output.played, (std::vector<std::string>{"event dialog-error", "event dialog-warning"}));
}

TEST_F(Sounds, ANullNameStopsTheSoundAndNoStopWillNotCutIt)
{
    EXPECT_TRUE(PlaySoundW(nullptr, nullptr, 0));
    m_output.playing = true;
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_ASYNC | SND_NOSTOP));
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_MEMORY));
    EXPECT_EQ(m_output.played, std::vector<std::string>{"stop"});
}

TEST_F(Sounds, TheAnswerIsTheServicesWhenItCannotPlay)
{
    m_output.answer = false;
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    EXPECT_FALSE(platform::PlayBeepSound(0));
}

TEST_F(Sounds, EachKindOfBeepPlaysItsThemeSound)
{
    struct Case {
        UINT type;
        const char* eventId;
    } cases[] = {
        {0x00000000, "bell"},               // MB_OK
        {0xFFFFFFFF, "bell"},               // the simple beep
        {0x00000010, "dialog-error"},       // MB_ICONHAND
        {0x00000020, "dialog-question"},    // MB_ICONQUESTION
        {0x00000030, "dialog-warning"},     // MB_ICONEXCLAMATION
        {0x00000040, "dialog-information"}, // MB_ICONASTERISK
        {0x00000011, "dialog-error"},       // MB_ICONHAND | MB_OKCANCEL
        {0x00000001, "bell"},               // MB_OKCANCEL, no icon
    };
    for (const Case& c : cases) {
        m_output.played.clear();
        EXPECT_TRUE(platform::PlayBeepSound(c.type));
        EXPECT_EQ(m_output.played, std::vector<std::string>{std::string("event ") + c.eventId}) << c.type;
    }
}

TEST_F(Sounds, AHandlerTakesPlaySoundInsteadOfTheService)
{
    std::vector<std::pair<std::u16string, DWORD>> seen;
    platform::SetSoundHandler([&](const std::u16string& name, DWORD flags) {
        seen.emplace_back(name, flags);
        return FALSE;
    });
    EXPECT_FALSE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    EXPECT_FALSE(PlaySoundW(nullptr, nullptr, SND_ASYNC));
    platform::SetSoundHandler({});
    EXPECT_EQ(seen, (std::vector<std::pair<std::u16string, DWORD>>{{u"\\windows\\alarm2.WAV", SND_NODEFAULT},
                                                                      {u"", SND_ASYNC}}));
    EXPECT_TRUE(m_output.played.empty());
}

}  // namespace
