#include "TestClasses.h"

#include "platform/framework/SettingWatch.h"
#include "platform/testing/MessageRecorder.h"

#include <QByteArray>

namespace {

using Lines = std::vector<std::string>;

TEST_F(FrameworkTest, SettingBroadcastReachesTheFrameAndItsView)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    platform::testing::MessageRecorder recorder({WM_SETTINGCHANGE});
    recorder.Watch(MainFrame()->m_hWnd, "frame");
    Log().clear();

    platform::NotifySettingsChanged();

    EXPECT_EQ(recorder.Trace(), (Lines{"frame WM_SETTINGCHANGE"}));
    ASSERT_EQ(recorder.Records().size(), 1u);
    EXPECT_EQ(recorder.Records()[0].lParam, platform::kSettingIntl);
    EXPECT_EQ(Log(), (Lines{"view setting change 1"}));
}

TEST_F(FrameworkTest, TimeZoneChangeIsBroadcastOnceAndNoChangeIsNot)
{
    ASSERT_NE(AddTemplate()->OpenDocumentFile(nullptr), nullptr);
    const QByteArray savedTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    platform::CheckSettings();   // whatever the state is now counts as seen
    Log().clear();

    EXPECT_FALSE(platform::CheckSettings());
    qputenv("TZ", savedTz == "Pacific/Auckland" ? "Europe/Berlin" : "Pacific/Auckland");
    EXPECT_TRUE(platform::CheckSettings());
    EXPECT_FALSE(platform::CheckSettings());
    EXPECT_EQ(Log(), (Lines{"view setting change 1"}));

    if (hadTz)
        qputenv("TZ", savedTz);
    else
        qunsetenv("TZ");
    platform::CheckSettings();
}

}  // namespace
