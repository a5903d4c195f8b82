// The soft input panel: shown or hidden, listeners told of each change once.

#include "platform/core/LastError.h"
#include "platform/system/InputPanel.h"

#include <gtest/gtest.h>

#include <vector>

TEST(InputPanelTest, ShowsHidesAndTellsListenersOfChangesOnly)
{
    SipShowIM(SIPF_OFF);
    std::vector<bool> told;
    const int id = platform::AddInputPanelListener([&](bool shown) { told.push_back(shown); });

    EXPECT_TRUE(SipShowIM(SIPF_ON));
    EXPECT_TRUE(platform::IsInputPanelShown());
    EXPECT_TRUE(SipShowIM(SIPF_ON));
    EXPECT_TRUE(SipShowIM(SIPF_OFF));
    EXPECT_FALSE(platform::IsInputPanelShown());
    EXPECT_EQ(told, (std::vector<bool>{true, false}));

    EXPECT_FALSE(SipShowIM(7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(platform::IsInputPanelShown()) << "an unknown flag changes nothing";

    platform::RemoveInputPanelListener(id);
    SipShowIM(SIPF_ON);
    EXPECT_EQ(told.size(), 2u);
    SipShowIM(SIPF_OFF);
}

TEST(InputPanelTest, AListenerMayRemoveItselfWhileBeingTold)
{
    int calls = 0;
    int id = 0;
    id = platform::AddInputPanelListener([&](bool) {
        ++calls;
        platform::RemoveInputPanelListener(id);
    });
    SipShowIM(SIPF_ON);
    SipShowIM(SIPF_OFF);
    EXPECT_EQ(calls, 1);
}
