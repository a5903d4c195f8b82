// The command bar's keyboard indicator follows the soft input panel, and a
// tap on it shows or hides the panel.

#include "UiTest.h"

#include "platform/system/InputPanel.h"
#include "platform/ui/controls/commandbar/CCeCommandBar.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"

#include <QAbstractButton>

namespace {
class InputPanelIndicatorTest : public UiTest {};
}  // namespace

TEST_F(InputPanelIndicatorTest, FollowsThePanelAndTogglesIt)
{
    SipShowIM(SIPF_OFF);
    CWnd frame;
    ASSERT_NE(MakeTopLevel(&frame), nullptr);
    CCeCommandBar bar;
    ASSERT_TRUE(bar.Create(&frame));
    auto* widget = dynamic_cast<platform::CommandBarWidget*>(platform::LookupWindow(bar.m_hWnd)->widget.data());
    ASSERT_NE(widget, nullptr);
    QAbstractButton* indicator = widget->InputPanelButton();
    EXPECT_FALSE(indicator->isChecked());
    EXPECT_EQ(indicator->accessibleName(), QStringLiteral("Input Panel"));

    SipShowIM(SIPF_ON);
    EXPECT_TRUE(indicator->isChecked());
    indicator->click();
    EXPECT_FALSE(platform::IsInputPanelShown());
    EXPECT_FALSE(indicator->isChecked());
    indicator->click();
    EXPECT_TRUE(platform::IsInputPanelShown());
    SipShowIM(SIPF_OFF);
    bar.DestroyWindow();
    SipShowIM(SIPF_ON);   // a bar that is gone is not told
    SipShowIM(SIPF_OFF);
}
