// Help: the program's help file, put in place in the device's \windows
// folder, opens in the desktop's viewer; without a viewer nothing shows.

#include "platform/store/DeviceFolder.h"
#include "support/FakeViewer.h"

#include "owebook/res/ResourceTables.h"
#include "owebook/ui/ShowHelpFile.h"
#include "platform/system/devicefiles/DeviceFiles.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

namespace {

class ShowHelpFileTest : public ::testing::Test {
protected:
    ShowHelpFileTest()
    {
        platform::testing::ResetUi();
        RegisterHelpFile();
        std::string why;
        EXPECT_TRUE(platform::InstallDeviceFiles(&why)) << why;
    }

    static std::string RegisteredHelp()
    {
        for (const platform::DeviceFile& file : platform::DeviceFiles())
            if (file.name == "Owebook.htm")
                return std::string(reinterpret_cast<const char*>(file.data), file.size);
        return {};
    }

    DeviceFolder m_device;
};

TEST_F(ShowHelpFileTest, OpensTheInstalledHelpFileInTheViewer)
{
    FakeViewer viewer;
    EXPECT_TRUE(ShowHelpFile(u"Owebook.htm"));
    const auto starts = viewer.AwaitStarts();
    ASSERT_EQ(starts.size(), 1u);
    ASSERT_EQ(starts[0].size(), 1u);
    EXPECT_EQ(starts[0][0], m_device.Home() + "/windows/Owebook.htm");
    EXPECT_EQ(ReadFileBytes(starts[0][0]), RegisteredHelp());
}

TEST_F(ShowHelpFileTest, WithoutViewerNothingShows)
{
    for (FakeViewer::Kind kind : {FakeViewer::MISSING, FakeViewer::FAILING}) {
        FakeViewer viewer(kind);
        EXPECT_EQ(ShowHelpFile(u"Owebook.htm"), kind == FakeViewer::FAILING) << "started, even if it then fails";
        viewer.AwaitStarts(kind == FakeViewer::FAILING ? 1 : 0);
        platform::testing::ProcessEvents();
        EXPECT_EQ(::GetActiveWindow(), nullptr) << "no message, no window";
    }
}

}  // namespace
