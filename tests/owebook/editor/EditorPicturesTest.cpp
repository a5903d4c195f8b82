// The item editor's two pages and the categories editor pictured at 2x into
// the build folder (editor_general@2x.png, editor_dates@2x.png,
// editor_categories@2x.png), to be looked at; each fills the handheld's screen
// and shows more than a blank page.

#include "EditorTestEnv.h"

#include "owebook/editor/CategoriesDlg.h"
#include "platform/core/Time.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/controls/datetime/DateTimeWidget.h"

#include <QDateTimeEdit>

#include <QComboBox>
#include <QLineEdit>

#include <string>

using platform::testing::Screenshot;

namespace {

class EditorPicturesTest : public EditorTest {
protected:
    // What a date-time picker shows.
    static QString Text(DialogDriver& d, int id)
    {
        auto* picker = dynamic_cast<platform::DateTimeWidget*>(platform::LookupWindow(d.Item(id))->widget.data());
        return picker ? picker->Editor()->text() : QString();
    }
    // Every shown control of the window ends inside it: nothing is cut at the
    // screen's right or bottom edge.
    static void EndsInside(HWND window, const RECT& frame)
    {
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(child))
                continue;
            RECT r{};
            ::GetWindowRect(child, &r);
            EXPECT_LE(r.right, frame.right) << "control " << ::GetDlgCtrlID(child);
            EXPECT_LE(r.bottom, frame.bottom) << "control " << ::GetDlgCtrlID(child);
            EndsInside(child, frame);
        }
    }
    static void Picture(DialogDriver& d, const std::string& name)
    {
        platform::testing::ProcessEvents();
        RECT frame{};
        ::GetWindowRect(d.Hwnd(), &frame);
        EXPECT_EQ(frame.right - frame.left, 240);
        EndsInside(d.Hwnd(), frame);
        const Screenshot shot(d.Hwnd(), 2);
        ASSERT_FALSE(shot.IsNull());
        EXPECT_EQ(shot.Width(), 480);
        EXPECT_EQ(shot.Height(), 640);
        EXPECT_GT(shot.DistinctColours(), 3);
        EXPECT_TRUE(shot.SavePng(std::string(OWEBOOK_BUILD_DIR) + "/editor_" + name + "@2x.png"));
    }
};

}  // namespace

TEST_F(EditorPicturesTest, BothPagesAndTheCategoriesEditor)
{
    CItemRecord item = NewItem(u"Alice", CategoryId(u"Loans"));
    item.SetAmount(12.5);
    item.SetDescription(u"Train fare to Leeds");
    SYSTEMTIME due{2026, 6, 0, 10, 9, 0, 0, 0};
    DWORD dueTime = 0;
    LocalSystemTimeToTime32(&due, &dueTime);
    item.SetDueDate(dueTime);
    item.SetReminder(ReminderSpec(1, REMINDER_DAYS, 2));
    ScriptedUser user;
    user.ExpectDialogCaption(u"Details")
        .Check([](DialogDriver& d) {
            EXPECT_EQ(d.Text(IDC_GENERAL_NAME), CString(u"Alice"));
            platform::Window* w = platform::LookupWindow(d.Item(IDC_GENERAL_NAME));
            auto* box = qobject_cast<QComboBox*>(w->widget.data());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->currentText(), QStringLiteral("Alice")) << "what the field shows";
            EXPECT_LE(box->lineEdit()->height(), box->height()) << "the edit field lies inside the closed box";
        })
        .Do([](DialogDriver& d) { Picture(d, "general"); })
        .Do([](DialogDriver& d) { ASSERT_TRUE(TurnTo(d, 1)); })
        .Check([](DialogDriver& d) {
            EXPECT_EQ(Text(d, IDC_DATES_DUE_TIME), QStringLiteral("9:00 AM")) << "the due time shows unclamped";
        })
        .Do([](DialogDriver& d) { Picture(d, "dates"); })
        .Tap(IDCANCEL);
    EXPECT_EQ(Run(item), ITEM_SHEET_CANCELLED);

    CCategoriesDlg dlg(doc->m_categories);
    ScriptedUser user2;
    user2.ExpectDialog(IDD_CATEGORIES).Do([](DialogDriver& d) { Picture(d, "categories"); }).TapOk();
    dlg.DoModal();
}
