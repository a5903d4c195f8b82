// Windows and plain controls as a screen reader reads them through Qt's
// accessibility interfaces: the desktop window under the application, the
// caption strip's title, statics, pictures, buttons, edits, the focus, and
// every position in device pixels at every scale.

#include "AccessibilityTestSupport.h"
#include "ControlHost.h"
#include "UiChildProcess.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/CDC.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/listview/CListCtrl.h"

#include <QLineEdit>
#include <QWidget>

using namespace a11ytest;

namespace {

void PaintBlue(CDC& dc, int width, int height) { dc.FillSolidRect(0, 0, width, height, RGB(0, 0, 255)); }

class AccessibilityWindowsTest : public ControlTest {
protected:
    static QAccessible::State StateOf(HWND hwnd) { return Of(hwnd)->state(); }
    QRect FrameRect() const { return DesktopWindowOf(host.m_hWnd)->rect(); }
};

TEST_F(AccessibilityWindowsTest, TopLevelWindowIsAFrameOfTheApplicationNamedByItsTitle)
{
    QAccessibleInterface* frame = DesktopWindowOf(host.m_hWnd);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(Name(frame), "Top");
    EXPECT_EQ(frame->parent(), App());
    EXPECT_GE(App()->indexOfChild(frame), 0);

    QAccessibleInterface* title = Find(frame, QAccessible::StaticText, QStringLiteral("Top"));
    ASSERT_NE(title, nullptr) << "the caption strip's title is named by its text";
    EXPECT_EQ(Name(title->parent()), "Top");
    EXPECT_EQ(Of(host.m_hWnd)->role(), QAccessible::Client);
    EXPECT_EQ(Name(Of(host.m_hWnd)), "") << "the client area leaves the title to its frame";

    ::SetWindowText(host.m_hWnd, u"Ledger");
    EXPECT_EQ(Name(frame), "Ledger");
    EXPECT_EQ(Name(title), "Ledger");

    HWND dialog = ::CreateWindowEx(0, WC_DIALOG, u"Settings", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 26, 200, 100,
                                   host.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DesktopWindowOf(dialog)->role(), QAccessible::Dialog);
    EXPECT_EQ(Name(DesktopWindowOf(dialog)), "Settings");
    ExpectConsistentTree(App());

    ::ShowWindow(dialog, SW_HIDE);
    EXPECT_EQ(App()->indexOfChild(DesktopWindowOf(dialog)), -1) << "hidden windows leave the application's list";
    EXPECT_GE(App()->indexOfChild(frame), 0);
}

TEST_F(AccessibilityWindowsTest, FormInsideAWindowIsAPane)
{
    HWND form = Make(WC_DIALOG, WS_CHILD, 90, u"", 200, 100);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(Of(form)->role(), QAccessible::Pane);
}

TEST_F(AccessibilityWindowsTest, PositionsAndSizesAreInDevicePixels)
{
    const int s = Scale();
    const QRect frame = FrameRect();
    EXPECT_EQ(frame.size(), QSize(240 * s, 320 * s)) << "the window and its caption strip";
    HWND edit = Make(WC_EDIT, WS_BORDER | WS_TABSTOP, 5, u"x", 120, 24, 40);
    HWND label = Make(WC_STATIC, SS_LEFT, 6, u"Label", 60, 16, 80);
    // The client area starts below the 26-pixel caption strip.
    EXPECT_EQ(Of(edit)->rect(), Scaled(frame, 10, 26 + 40, 120, 24));
    EXPECT_EQ(Of(label)->rect(), Scaled(frame, 10, 26 + 80, 60, 16));
    EXPECT_EQ(Find(DesktopWindowOf(host.m_hWnd), QAccessible::StaticText, QStringLiteral("Top"))->parent()->rect(),
              Scaled(frame, 0, 0, 240, 26));

    // A reader's pointer finds the control under it, as the bridge walks down.
    const QPoint inEdit = Of(edit)->rect().center();
    QAccessibleInterface* found = nullptr;
    for (QAccessibleInterface* at = DesktopWindowOf(host.m_hWnd)->childAt(inEdit.x(), inEdit.y()); at;
         at = at->childAt(inEdit.x(), inEdit.y()))
        found = at;
    EXPECT_EQ(found, Of(edit));

    ::ShowWindow(edit, SW_HIDE);
    EXPECT_TRUE(Of(edit)->rect().isEmpty());
    EXPECT_TRUE(Of(edit)->state().invisible);
}

// Every interface below the window, Qt's parts of the controls included,
// reports the widget it stands for scaled: none is left to Qt's own.
TEST_F(AccessibilityWindowsTest, NoPartOfAnyControlReportsUnscaledPositions)
{
    platform::RegisterBitmap(7102, 8, 8, PaintBlue);
    Make(WC_STATIC, SS_LEFT, 1, u"Name:", 60, 16, 4);
    Make(WC_EDIT, WS_BORDER, 2, u"text", 100, 20, 24);
    Make(WC_EDIT, WS_BORDER | ES_MULTILINE | WS_VSCROLL, 3, u"one\r\ntwo", 100, 40, 48);
    Make(WC_BUTTON, BS_AUTOCHECKBOX, 4, u"Check", 100, 20, 92);
    Make(WC_BUTTON, BS_PUSHBUTTON, 5, u"Push", 100, 20, 116);
    Make(WC_STATIC, SS_BITMAP, 6, u"#7102", 8, 8, 140);
    Make(WC_COMBOBOX, CBS_DROPDOWN | WS_VSCROLL, 7, u"", 100, 80, 152);
    HWND list = Make(WC_LISTVIEW, LVS_REPORT, 8, u"", 200, 60, 180);
    static_cast<CListCtrl*>(CWnd::FromHandle(list))->InsertColumn(0, u"Name", LVCFMT_LEFT, 100);
    const int s = Scale();
    int checked = 0;
    FindBelow(DesktopWindowOf(host.m_hWnd), [&](QAccessibleInterface* iface) {
        auto* widget = qobject_cast<QWidget*>(iface->object());
        if (widget && widget->isVisible()) {
            const QRect expected(widget->mapToGlobal(QPoint(0, 0)) * s, widget->size() * s);
            EXPECT_EQ(iface->rect(), expected) << widget->metaObject()->className() << " " << Name(iface);
            ++checked;
        }
        return false;
    });
    EXPECT_GE(checked, 12);
}

// At scale s the desktop window is s times the handheld's screen, and a
// control s times its size, s device pixels per handheld pixel away.
TEST_F(AccessibilityWindowsTest, PositionsFollowEveryScale)
{
    if (uitest::InChild()) {
        HWND button = Make(WC_BUTTON, BS_PUSHBUTTON, 9, u"Go", 50, 20, 30);
        const QRect frame = FrameRect();
        const QRect r = Of(button)->rect();
        uitest::Report(std::to_string(Scale()) + " " + std::to_string(frame.width()) + " " +
                       std::to_string(frame.height()) + " " + std::to_string(r.x() - frame.x()) + " " +
                       std::to_string(r.y() - frame.y()) + " " + std::to_string(r.width()) + " " +
                       std::to_string(r.height()));
        return;
    }
    for (int scale : {1, 3}) {
        uitest::UiChildProcess child("AccessibilityWindowsTest.PositionsFollowEveryScale",
                                     {"OWEBOOK_SCALE=" + std::to_string(scale), "QT_SCALE_FACTOR="});
        const int s = scale;
        EXPECT_EQ(child.ReadLine(20000), std::to_string(s) + " " + std::to_string(240 * s) + " " +
                                             std::to_string(320 * s) + " " + std::to_string(10 * s) + " " +
                                             std::to_string((26 + 30) * s) + " " + std::to_string(50 * s) + " " +
                                             std::to_string(20 * s));
        child.CloseInput();
        EXPECT_EQ(child.Wait(20000), 0);
    }
}

TEST_F(AccessibilityWindowsTest, StaticsAreLabelsNamedByTheirTextAndPicturesAreDescribed)
{
    const struct {
        LPCWSTR text;
        DWORD style;
        const char* name;
    } cases[] = {
        {u"&Name:", SS_LEFT, "Name:"},
        {u"Fish && Chips", SS_CENTER, "Fish & Chips"},
        {u"A&B", SS_RIGHT | SS_NOPREFIX, "A&B"},
        {u"", SS_LEFT, ""},
    };
    int id = 10;
    for (const auto& c : cases) {
        HWND label = Make(WC_STATIC, c.style, ++id, c.text);
        EXPECT_EQ(Of(label)->role(), QAccessible::StaticText);
        EXPECT_EQ(Name(Of(label)), c.name);
        EXPECT_FALSE(StateOf(label).focusable);
    }
    HWND changing = Make(WC_STATIC, SS_LEFT, 20, u"Before");
    ::SetWindowText(changing, u"After");
    EXPECT_EQ(Name(Of(changing)), "After");

    platform::RegisterBitmap(7101, 8, 4, PaintBlue);
    HWND picture = Make(WC_STATIC, SS_BITMAP, 21, u"#7101");
    EXPECT_EQ(Of(picture)->role(), QAccessible::Graphic);
    EXPECT_EQ(Name(Of(picture)), "") << "the resource number means nothing to a listener";
    EXPECT_EQ(Of(picture)->text(QAccessible::Description), QStringLiteral("Picture, 8 by 4 pixels"));
    HWND missing = Make(WC_STATIC, SS_BITMAP, 22, u"#7999");
    EXPECT_EQ(Of(missing)->text(QAccessible::Description), QStringLiteral("Picture"));
}

TEST_F(AccessibilityWindowsTest, ButtonsAreNamedWithoutMnemonicAndReportTheirCheckedState)
{
    HWND ok = Make(WC_BUTTON, BS_DEFPUSHBUTTON | WS_TABSTOP, 30, u"&OK");
    EXPECT_EQ(Of(ok)->role(), QAccessible::PushButton);
    EXPECT_EQ(Name(Of(ok)), "OK");
    EXPECT_TRUE(StateOf(ok).defaultButton);
    EXPECT_FALSE(StateOf(ok).checkable);

    HWND box = Make(WC_BUTTON, BS_AUTOCHECKBOX | WS_TABSTOP, 31, u"&Remind me");
    EXPECT_EQ(Of(box)->role(), QAccessible::CheckBox);
    EXPECT_EQ(Name(Of(box)), "Remind me");
    EXPECT_TRUE(StateOf(box).checkable);
    EXPECT_FALSE(StateOf(box).checked);
    ::SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(StateOf(box).checked);

    HWND three = Make(WC_BUTTON, BS_AUTO3STATE, 32, u"Returned");
    ::SendMessage(three, BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_TRUE(StateOf(three).checkStateMixed);
    EXPECT_FALSE(StateOf(three).checked);

    HWND first = Make(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, 33, u"IOU");
    HWND second = Make(WC_BUTTON, BS_AUTORADIOBUTTON, 34, u"UOMe");
    ::SendMessage(first, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Of(second)->role(), QAccessible::RadioButton);
    EXPECT_TRUE(StateOf(first).checked);
    EXPECT_FALSE(StateOf(second).checked);

    // A reader's toggle is a tap: the radio group follows and the parent hears of it.
    QAccessibleActionInterface* action = Of(second)->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    action->doAction(QAccessibleActionInterface::toggleAction());
    platform::testing::ProcessEvents();
    EXPECT_TRUE(StateOf(second).checked);
    EXPECT_FALSE(StateOf(first).checked);
    EXPECT_EQ(host.Count(34, BN_CLICKED), 1);

    HWND group = Make(WC_BUTTON, BS_GROUPBOX, 35, u"&Dates");
    EXPECT_EQ(Of(group)->role(), QAccessible::Grouping);
    EXPECT_EQ(Name(Of(group)), "Dates");
}

TEST_F(AccessibilityWindowsTest, EditsAreNamedByTheirLabelAndGiveTheirTextCaretAndSelection)
{
    Make(WC_STATIC, SS_LEFT, 40, u"&Name:", 60, 16, 4);
    HWND edit = Make(WC_EDIT, WS_BORDER | WS_TABSTOP, 41, u"Anna Bell", 120, 24, 24);
    QAccessibleInterface* field = Of(edit);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_EQ(Name(field), "Name:");
    EXPECT_TRUE(field->state().editable);
    QAccessibleTextInterface* text = field->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, -1), QStringLiteral("Anna Bell"));
    EXPECT_EQ(text->characterCount(), 9);
    ::SendMessage(edit, EM_SETSEL, 5, 9);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 9);
    EXPECT_EQ(text->selectionCount(), 1);
    EXPECT_EQ(text->cursorPosition(), 9);
    int wordStart = -1, wordEnd = -1;
    EXPECT_EQ(text->textAtOffset(6, QAccessible::WordBoundary, &wordStart, &wordEnd), QStringLiteral("Bell"));

    // Characters sit left to right inside the field, in device pixels; a
    // point on one names it.
    const QRect box = field->rect();
    QRect previous;
    for (int i = 0; i < 9; ++i) {
        const QRect r = text->characterRect(i);
        EXPECT_TRUE(box.contains(r)) << i;
        EXPECT_GT(r.x(), previous.x()) << i;
        EXPECT_EQ(text->offsetAtPoint(QPoint(r.x() + 1, r.center().y())), i) << i;
        previous = r;
    }
    EXPECT_EQ(text->offsetAtPoint(box.bottomRight() + QPoint(5, 5)), -1);

    HWND unlabelled = Make(WC_EDIT, WS_BORDER | ES_PASSWORD | ES_READONLY, 42, u"secret", 120, 24, 60);
    EXPECT_EQ(Name(Of(unlabelled)), "") << "a field after a field has no label";
    EXPECT_TRUE(StateOf(unlabelled).passwordEdit);
    EXPECT_TRUE(StateOf(unlabelled).readOnly);
    EXPECT_FALSE(StateOf(unlabelled).editable);
    EXPECT_FALSE(Of(unlabelled)->textInterface()->text(0, -1).contains(QStringLiteral("secret")));
    EXPECT_EQ(Of(unlabelled)->textInterface()->characterCount(), 6);

    HWND notes = Make(WC_EDIT, WS_BORDER | ES_MULTILINE, 43, u"one\r\ntwo", 120, 48, 90);
    EXPECT_TRUE(StateOf(notes).multiLine);
    EXPECT_EQ(Of(notes)->textInterface()->text(0, -1), QStringLiteral("one\ntwo"));
    const QRect lineOne = Of(notes)->textInterface()->characterRect(0);
    const QRect lineTwo = Of(notes)->textInterface()->characterRect(4);
    EXPECT_GT(lineTwo.y(), lineOne.y());
    EXPECT_EQ(Of(notes)->textInterface()->offsetAtPoint(QPoint(lineTwo.x() + 1, lineTwo.center().y())), 4);
}

TEST_F(AccessibilityWindowsTest, MessageBoxIsADialogWithItsTextAndButtons)
{
    std::string caption;
    bool textShown = false;
    std::vector<std::string> buttons;
    platform::testing::ScriptedUser user;
    user.ExpectMessageBox(u"Delete Item?")
        .Check([&](platform::testing::DialogDriver& d) {
            QAccessibleInterface* box = DesktopWindowOf(d.Hwnd());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->role(), QAccessible::Dialog);
            EXPECT_EQ(box->parent(), App());
            caption = Name(box);
            textShown = Find(box, QAccessible::StaticText, QStringLiteral("Delete Item?")) != nullptr;
            FindBelow(box, [&](QAccessibleInterface* i) {
                if (i->role() == QAccessible::PushButton && !i->state().invisible)
                    buttons.push_back(Name(i));
                return false;
            });
            ExpectConsistentTree(box);
        })
        .Answer(IDCANCEL);
    EXPECT_EQ(::MessageBox(host.m_hWnd, u"Delete Item?", u"Owebook", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(caption, "Owebook");
    EXPECT_TRUE(textShown);
    EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Cancel"}));
}

TEST_F(AccessibilityWindowsTest, FocusedStateFollowsTheFocusAndTheWindowKnowsItsFocusedChild)
{
    HWND a = Make(WC_EDIT, WS_BORDER | WS_TABSTOP, 50, u"", 100, 20, 10);
    HWND b = Make(WC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP, 51, u"Go", 100, 20, 40);
    // The desktop window takes Qt's focus once the window system made it active.
    ::SetFocus(a);
    platform::testing::ProcessEvents();
    EXPECT_TRUE(StateOf(a).focused);
    EXPECT_FALSE(StateOf(b).focused);
    ::SetFocus(b);
    platform::testing::ProcessEvents();
    EXPECT_TRUE(StateOf(b).focused);
    EXPECT_FALSE(StateOf(a).focused);
    QAccessibleInterface* focus = DesktopWindowOf(host.m_hWnd);
    while (QAccessibleInterface* next = focus->focusChild()) {
        if (next == focus)
            break;
        focus = next;
    }
    EXPECT_EQ(focus, Of(b));
}

}  // namespace
