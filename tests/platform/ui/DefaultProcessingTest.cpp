// Default processing happens when it is asked for: when Default() returns,
// the control has done its part, whether the message came from a real key or
// tap, the scripted user, SendMessage or PostMessage.

#include "ControlHost.h"

#include "platform/testing/DialogDriver.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CClientDC.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/controls/button/CButton.h"
#include "platform/ui/controls/edit/CEdit.h"
#include "platform/ui/controls/static/CStatic.h"
#include "platform/ui/Window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <functional>

using platform::testing::PressKey;
using platform::testing::TapWindow;
using platform::testing::TypeText;

namespace {

constexpr int kEdit = 100;

QWidget* WidgetOf(HWND hwnd) { return platform::LookupWindow(hwnd)->widget; }

// What an amount field does with a keystroke: let the edit take it, look,
// and take back exactly that keystroke when it breaks a rule.
class CCheckingEdit : public CEdit {
public:
    struct Seen {
        UINT ch;
        CString before;
        CString after;
        CString undone;
        BOOL canUndoAfterEmptying;
    };
    std::vector<Seen> seen;
    UINT refused = u'!';

protected:
    void OnChar(UINT nChar, UINT, UINT)
    {
        Seen s{nChar, {}, {}, {}, TRUE};
        GetWindowText(s.before);
        Default();
        GetWindowText(s.after);
        if (nChar == refused) {
            Undo();
            GetWindowText(s.undone);
        }
        EmptyUndoBuffer();
        s.canUndoAfterEmptying = CanUndo();
        seen.push_back(s);
    }
    void OnKeyDown(UINT nChar, UINT, UINT)
    {
        Default();
        int start = 0;
        int end = 0;
        GetSel(start, end);
        caretAfterKey.push_back(end);
    }
    DECLARE_MESSAGE_MAP()

public:
    std::vector<int> caretAfterKey;
};

BEGIN_MESSAGE_MAP(CCheckingEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

struct Source {
    const char* name;
    std::function<void(HWND, char16_t)> type;
};

const Source kSources[] = {
    {"real key", [](HWND hwnd, char16_t c) { QTest::keyClick(WidgetOf(hwnd), static_cast<char>(c)); }},
    {"scripted user", [](HWND hwnd, char16_t c) { TypeText(hwnd, CString(std::u16string(1, c).c_str())); }},
    {"SendMessage", [](HWND hwnd, char16_t c) { ::SendMessage(hwnd, WM_CHAR, c, 1); }},
    {"PostMessage",
     [](HWND hwnd, char16_t c) {
         ::PostMessage(hwnd, WM_CHAR, c, 1);
         platform::testing::ProcessEvents();
     }},
};

class DefaultProcessingTest : public ControlTest {
protected:
    CCheckingEdit& Edit()
    {
        EXPECT_TRUE(edit.SubclassWindow(Make(WC_EDIT, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kEdit)));
        edit.SetFocus();
        return edit;
    }
    CCheckingEdit edit;
};

}  // namespace

TEST_F(DefaultProcessingTest, TypedCharacterIsInTheTextWhenDefaultReturnsAndUndoTakesExactlyItBack)
{
    for (const Source& source : kSources) {
        SCOPED_TRACE(source.name);
        Edit();
        edit.seen.clear();
        edit.SetWindowText(u"12");
        edit.SetSel(2, 2);
        source.type(edit.m_hWnd, u'3');
        source.type(edit.m_hWnd, u'!');
        ASSERT_EQ(edit.seen.size(), 2u);
        EXPECT_EQ(edit.seen[0].before, CString(u"12"));
        EXPECT_EQ(edit.seen[0].after, CString(u"123"));
        EXPECT_FALSE(edit.seen[0].canUndoAfterEmptying);
        EXPECT_EQ(edit.seen[1].after, CString(u"123!"));
        EXPECT_EQ(edit.seen[1].undone, CString(u"123")) << "the undo takes back the last keystroke only";
        EXPECT_EQ(TextOf(edit.m_hWnd), CString(u"123"));
        edit.UnsubclassWindow();
        ::DestroyWindow(::GetDlgItem(host.m_hWnd, kEdit));
    }
}

TEST_F(DefaultProcessingTest, EditingKeysHaveMovedTheCaretWhenDefaultReturns)
{
    Edit();
    edit.SetWindowText(u"abc");
    edit.SetSel(3, 3);
    QTest::keyClick(WidgetOf(edit.m_hWnd), Qt::Key_Left);
    ::SendMessage(edit.m_hWnd, WM_KEYDOWN, VK_HOME, 1);
    PressKey(edit.m_hWnd, VK_END);
    EXPECT_EQ(edit.caretAfterKey, (std::vector<int>{2, 0, 3}));
}

TEST_F(DefaultProcessingTest, ClipboardKeysHaveDoneTheirWorkWhenTheCharactersDefaultReturns)
{
    struct Case {
        const char* name;
        Qt::Key key;
        UINT ch;
        const char16_t* after;
    };
    const Case cases[] = {
        {"Ctrl+V pastes", Qt::Key_V, 0x16, u"ab77cd"},
        {"Ctrl+X cuts", Qt::Key_X, 0x18, u"ad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Edit();
        edit.seen.clear();
        edit.SetWindowText(u"abcd");
        edit.SetSel(2, 2);
        if (c.key == Qt::Key_X)
            edit.SetSel(1, 3);
        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
        QTest::keyClick(WidgetOf(edit.m_hWnd), c.key, Qt::ControlModifier);
        ASSERT_EQ(edit.seen.size(), 1u);
        EXPECT_EQ(edit.seen[0].ch, c.ch);
        EXPECT_EQ(edit.seen[0].after, CString(c.after));
        edit.UnsubclassWindow();
        ::DestroyWindow(::GetDlgItem(host.m_hWnd, kEdit));
    }
}

namespace {

// A button that checks, after letting the button act, what its parent heard.
class CReportingButton : public CButton {
public:
    CControlHost* host = nullptr;
    std::vector<int> clicksSeenAfterDefault;

protected:
    void OnLButtonUp(UINT, CPoint)
    {
        Default();
        clicksSeenAfterDefault.push_back(host->Count(10, BN_CLICKED));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReportingButton, CButton)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

}  // namespace

TEST_F(DefaultProcessingTest, ButtonHasReportedTheClickWhenTheReleasesDefaultReturns)
{
    CReportingButton button;
    button.host = &host;
    ASSERT_TRUE(button.SubclassWindow(Make(WC_BUTTON, BS_PUSHBUTTON, 10, u"Go")));
    TapWindow(button.m_hWnd);
    QTest::mouseClick(WidgetOf(button.m_hWnd), Qt::LeftButton);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.clicksSeenAfterDefault, (std::vector<int>{1, 2, 3}));
}

namespace {

// Draws a mark over the control once the control has painted.
class CMarkedStatic : public CStatic {
protected:
    void OnPaint()
    {
        Default();
        CClientDC dc(this);
        dc.FillSolidRect(0, 0, 6, 6, RGB(255, 0, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMarkedStatic, CStatic)
    ON_WM_PAINT()
END_MESSAGE_MAP()

}  // namespace

TEST_F(DefaultProcessingTest, WhatThePaintHandlerDrawsAfterDefaultLandsOnTop)
{
    CMarkedStatic label;
    ASSERT_TRUE(label.SubclassWindow(Make(WC_STATIC, SS_LEFT, 11, u"Label", 60, 20)));
    platform::testing::Screenshot shot(label.m_hWnd, 1);
    EXPECT_EQ(shot.Pixel(2, 2), RGB(255, 0, 0)) << "the mark is over the static's background";
    EXPECT_NE(shot.Pixel(30, 15), RGB(255, 0, 0));
}
