// The recorder that tests of the program install to see beeps, sounds and
// run-at-time requests; and MessageBeep without one reaching the sound layer.

#include "platform/testing/ServiceRecorder.h"

#include "platform/core/LastError.h"
#include "platform/system/runattime/RunAtTime.h"
#include "platform/system/sound/Sound.h"
#include "platform/system/sound/SoundOutput.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WinUser.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceRecorder, RecordsEveryServiceCallInOrderWithItsAnswers)
{
    platform::testing::ServiceRecorder services;
    services.runAtTimeAnswer = FALSE;
    SYSTEMTIME due {};
    due.wYear = 2024;
    due.wMonth = 1;
    due.wDay = 31;
    due.wHour = 9;
    due.wMinute = 5;
    EXPECT_FALSE(CeRunAppAtTime(u"/opt/app", &due));
    EXPECT_TRUE(::MessageBeep(0xFFFFFFFF));
    EXPECT_TRUE(PlaySoundW(u"\\windows\\alarm2.WAV", nullptr, SND_NODEFAULT));
    EXPECT_FALSE(CeRunAppAtTime(u"/opt/app", nullptr));
    EXPECT_EQ(services.Trace(), (std::vector<std::string>{"run-at-time /opt/app 2024-01-31 09:05:00",
                                                          "beep 0xFFFFFFFF", "sound \\windows\\alarm2.WAV 0x2",
                                                          "run-at-time /opt/app none"}));
    EXPECT_EQ(services.beeps, std::vector<UINT>{0xFFFFFFFF});
    ASSERT_EQ(services.runAtTime.size(), 2u);
    EXPECT_FALSE(services.PendingTime());
    services.Clear();
    EXPECT_TRUE(services.Trace().empty());
}

TEST(ServiceRecorder, GoingAwayHandsTheCallsBackToTheServices)
{
    {
        platform::testing::ServiceRecorder services;
    }
    SetLastError(0);
    EXPECT_FALSE(CeRunAppAtTime(u"not a full path", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

class RecordingOutput : public platform::SoundOutput {
public:
    bool PlayEvent(const std::string& eventId) override
    {
        events.push_back(eventId);
        return true;
    }
    bool PlayFile(const std::string&, bool, int) override { return true; }
    bool FilePlaying() override { return false; }
    void StopFile() override {}
    std::vector<std::string> events;
};

TEST(MessageBeepSound, WithoutAHandlerTheBeepPlaysItsThemeSound)
{
    RecordingOutput output;
    platform::SetSoundOutputForTesting(&output);
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBeep(MB_OK);
    platform::SetSoundOutputForTesting(nullptr);
    EXPECT_EQ(output.events, (std::vector<std::string>{"dialog-warning", "bell"}));
}

}  // namespace
