// The edit control: characters through the program's WM_CHAR handler, the one
// undo level, the text limit, selection, replacing, the clipboard, notifications.

#include "ControlHost.h"

#include "platform/testing/DialogDriver.h"
#include "platform/testing/MessageRecorder.h"
#include "platform/ui/controls/edit/CEdit.h"
#include "platform/ui/Window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTest>

using platform::testing::PressKey;
using platform::testing::TypeText;

namespace {

constexpr int kEdit = 100;

// Refuses digits, as the program's name fields do with some characters.
class CNoDigitsEdit : public CEdit {
protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        if (nChar >= u'0' && nChar <= u'9')
            return;
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNoDigitsEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class EditTest : public ControlTest {
protected:
    CEdit& Edit(DWORD style = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, LPCWSTR text = u"")
    {
        HWND hwnd = Make(WC_EDIT, style, kEdit, text);
        EXPECT_TRUE(edit.SubclassWindow(hwnd));
        edit.SetFocus();
        host.notes.clear();
        return edit;
    }
    void Type(const CString& text) { TypeText(edit.m_hWnd, text); }
    CString Text() const { return TextOf(edit.m_hWnd); }

    CNoDigitsEdit edit;
};

}  // namespace

TEST_F(EditTest, SubclassRefusesCharactersInItsCharHandler)
{
    Edit();
    Type(u"a1b2c");
    EXPECT_EQ(Text(), CString(u"abc"));
    // A character sent by code takes the same path.
    edit.SendMessage(WM_CHAR, u'7', 1);
    edit.SendMessage(WM_CHAR, u'd', 1);
    EXPECT_EQ(Text(), CString(u"abcd"));
}

TEST_F(EditTest, UndoIsOneLevelThatToggles)
{
    Edit();
    Type(u"abc");   // one run of typing is one change
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(Text(), CString(u""));
    EXPECT_TRUE(edit.Undo()) << "a second undo brings the change back";
    EXPECT_EQ(Text(), CString(u"abc"));

    edit.SetSel(3, 3);
    edit.ReplaceSel(u"!", TRUE);
    Type(u"x");   // a new change replaces the undo level
    EXPECT_EQ(Text(), CString(u"abc!x"));
    edit.Undo();
    EXPECT_EQ(Text(), CString(u"abc!"));
    edit.Undo();
    EXPECT_EQ(Text(), CString(u"abc!x"));

    edit.EmptyUndoBuffer();
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_FALSE(edit.Undo());
    EXPECT_EQ(Text(), CString(u"abc!x"));
}

TEST_F(EditTest, SettingTextOrReplacingWithoutUndoEmptiesTheUndoLevel)
{
    Edit();
    Type(u"abc");
    edit.SetWindowText(u"new");
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(edit.GetSel(), 0u) << "new text puts the caret at the start";
    edit.SetSel(3, 3);
    Type(u"d");
    EXPECT_TRUE(edit.CanUndo());
    edit.ReplaceSel(u"e", FALSE);
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(Text(), CString(u"newde"));
}

TEST_F(EditTest, CtrlZGoesThroughTheSingleUndoLevel)
{
    Edit();
    Type(u"ab");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QString(QChar(0x1A)));
    platform::Window* w = platform::LookupWindow(edit.m_hWnd);
    QCoreApplication::sendEvent(w->widget, &press);
    EXPECT_EQ(Text(), CString(u""));
    QCoreApplication::sendEvent(w->widget, &press);
    EXPECT_EQ(Text(), CString(u"ab"));
}

TEST_F(EditTest, TypingBeyondTheLimitIsRefusedWithABeep)
{
    Edit();
    edit.LimitText(3);
    EXPECT_EQ(edit.GetLimitText(), 3u);
    Type(u"abcd");
    EXPECT_EQ(Text(), CString(u"abc"));
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(host.Count(kEdit, EN_MAXTEXT), 1);

    // Replacing a selection makes room again.
    edit.SetSel(0, 1);
    Type(u"z");
    EXPECT_EQ(Text(), CString(u"zbc"));

    // Text set by code is not cut to the limit.
    edit.SetWindowText(u"abcdef");
    EXPECT_EQ(Text(), CString(u"abcdef"));
    // Inserted text is cut to what fits.
    edit.SetWindowText(u"a");
    edit.SetSel(1, 1);
    edit.ReplaceSel(u"bcdef", TRUE);
    EXPECT_EQ(Text(), CString(u"abc"));
}

TEST_F(EditTest, SelectionRules)
{
    Edit(WS_BORDER | ES_AUTOHSCROLL, u"abcdef");
    struct Case {
        int start, end;
        int wantStart, wantEnd;
    };
    const Case cases[] = {
        {1, 3, 1, 3},    // plain
        {4, 2, 2, 4},    // backwards reads sorted
        {0, -1, 0, 6},   // all
        {2, 99, 2, 6},   // past the end stops there
        {3, 3, 3, 3},    // caret only
    };
    for (const Case& c : cases) {
        edit.SetSel(c.start, c.end);
        int start = -5;
        int end = -5;
        edit.GetSel(start, end);
        EXPECT_EQ(start, c.wantStart) << c.start << "," << c.end;
        EXPECT_EQ(end, c.wantEnd) << c.start << "," << c.end;
        EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(c.wantStart, c.wantEnd)));
    }
    edit.SetSel(1, 4);
    edit.SetSel(-1, 0);   // deselects
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, end);
}

TEST_F(EditTest, ReplaceSelReplacesTheSelectionAndLeavesTheCaretAfterIt)
{
    Edit(WS_BORDER, u"hello world");
    edit.SetSel(6, 11);
    edit.ReplaceSel(u"there", TRUE);
    EXPECT_EQ(Text(), CString(u"hello there"));
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 11);
    edit.Undo();
    EXPECT_EQ(Text(), CString(u"hello world"));
}

TEST_F(EditTest, ClipboardRoundTrip)
{
    Edit(WS_BORDER, u"one two");
    edit.SetSel(0, 3);
    edit.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("one"));
    edit.SetSel(4, 7);
    edit.Cut();
    EXPECT_EQ(Text(), CString(u"one "));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("two"));
    edit.SetSel(0, 0);
    edit.Paste();
    EXPECT_EQ(Text(), CString(u"twoone "));
    edit.Undo();
    EXPECT_EQ(Text(), CString(u"one "));
    edit.SetSel(0, -1);
    edit.Clear();
    EXPECT_EQ(Text(), CString(u""));

    // A single line takes only the clipboard's first line, and no more than the limit.
    QGuiApplication::clipboard()->setText(QStringLiteral("abcdef\r\nsecond"));
    edit.LimitText(4);
    edit.Paste();
    EXPECT_EQ(Text(), CString(u"abcd"));
}

TEST_F(EditTest, ReadOnlyRefusesTypingAndEditingButNotCode)
{
    Edit(WS_BORDER | ES_READONLY, u"fixed");
    Type(u"x");
    edit.SetSel(0, -1);
    edit.Cut();
    edit.Clear();
    EXPECT_EQ(Text(), CString(u"fixed"));
    edit.ReplaceSel(u"code");
    EXPECT_EQ(Text(), CString(u"code"));

    edit.SetReadOnly(FALSE);
    EXPECT_EQ(edit.GetStyle() & ES_READONLY, 0u);
    edit.SetSel(4, 4);
    Type(u"x");
    EXPECT_EQ(Text(), CString(u"codex"));
    edit.SetReadOnly(TRUE);
    EXPECT_NE(edit.GetStyle() & ES_READONLY, 0u);
}

TEST_F(EditTest, NotificationsForTypingSettingTextAndFocus)
{
    Edit();
    Type(u"a");
    EXPECT_EQ(host.Codes(kEdit), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    host.notes.clear();
    edit.SetWindowText(u"a");   // even the same text, as the classic edit
    EXPECT_EQ(host.Codes(kEdit), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    host.notes.clear();
    HWND other = Make(WC_EDIT, WS_BORDER, kEdit + 1, u"", 120, 24, 60);
    ::SetFocus(other);
    ::SetFocus(edit.m_hWnd);
    EXPECT_EQ(host.Codes(kEdit), (std::vector<UINT>{EN_KILLFOCUS, EN_SETFOCUS}));
}

TEST_F(EditTest, MultiLineEnterBreaksTheLineAndCountsItAsTwoCharacters)
{
    Edit(WS_BORDER | ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN, u"");
    Type(u"ab");
    PressKey(edit.m_hWnd, VK_RETURN);
    Type(u"c");
    EXPECT_EQ(Text(), CString(u"ab\r\nc"));
    EXPECT_EQ(edit.GetWindowTextLength(), 5);
    EXPECT_EQ(edit.GetLineCount(), 2);
    EXPECT_EQ(edit.LineIndex(1), 4);
    edit.SetSel(4, 5);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 5);
    edit.ReplaceSel(u"x\r\ny");
    EXPECT_EQ(Text(), CString(u"ab\r\nx\r\ny"));
    EXPECT_EQ(edit.GetLineCount(), 3);

    // The line break counts against the limit as two characters.
    edit.SetWindowText(u"abc");
    edit.LimitText(4);
    edit.SetSel(3, 3);
    PressKey(edit.m_hWnd, VK_RETURN);
    EXPECT_EQ(Text(), CString(u"abc"));
    EXPECT_EQ(beeps, 1);
}

TEST_F(EditTest, RealKeyAndSentCharacterGiveTheSameMessages)
{
    Edit();
    platform::testing::MessageRecorder rec({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_COMMAND});
    rec.Watch(edit.m_hWnd, "edit");
    rec.Watch(host.m_hWnd, "host");
    QTest::keyClick(platform::LookupWindow(edit.m_hWnd)->widget, 'a');
    const auto show = platform::testing::MessageRecorder::Show::Parameters;
    EXPECT_EQ(rec.Trace(show),
              (std::vector<std::string>{"edit WM_KEYDOWN 'A'", "edit WM_CHAR 'a'", "host WM_COMMAND 100 EN_UPDATE",
                                        "host WM_COMMAND 100 EN_CHANGE", "edit WM_KEYUP 'A'"}));
    rec.Clear();
    edit.SendMessage(WM_CHAR, u'b', 1);
    EXPECT_EQ(rec.Trace(show), (std::vector<std::string>{"edit WM_CHAR 'b'", "host WM_COMMAND 100 EN_UPDATE",
                                                          "host WM_COMMAND 100 EN_CHANGE"}));
    EXPECT_EQ(Text(), CString(u"ab"));
}
