// The amount field: the keystroke filter with the General page's set-up and
// with negatives allowed, the maximum undone, pastes held to the same rules,
// and reading back never giving an exponent, infinity or NaN.

#include "owebook/editor/AmountEdit.h"
#include "platform/testing/DialogDriver.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WinApi.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class AmountEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::testing::ResetUi();
        platform::SetBeepHandler([this](UINT) { ++beeps; });
        frame = ::CreateWindowEx(0, u"TestFrame", u"Amount", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 240, 294,
                                 nullptr, nullptr, nullptr, nullptr);
        HWND hwnd = ::CreateWindowEx(0, WC_EDIT, u"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 150,
                                     24, frame, reinterpret_cast<HMENU>(1128), nullptr, nullptr);
        ASSERT_TRUE(amount.SubclassWindow(hwnd));
        PageSetup();
        ::SetFocus(hwnd);
    }
    void TearDown() override
    {
        platform::SetBeepHandler({});
        platform::testing::ResetUi();
    }
    // As the General page sets it up: 2 decimals, no minus, 14 characters, 1e10.
    void PageSetup(double value = 0.0) { amount.Setup(value, 2, 0, 14, 1e10); }
    void Start(LPCWSTR text, int caret = -1)
    {
        amount.SetWindowText(text);
        const int at = caret < 0 ? amount.GetWindowTextLength() : caret;
        amount.SetSel(at, at);
        beeps = 0;
    }
    void Type(LPCWSTR text) { platform::testing::TypeText(amount.m_hWnd, text); }
    CString Text() const
    {
        CString text;
        amount.GetWindowText(text);
        return text;
    }

    HWND frame = nullptr;
    CAmountEdit amount;
    int beeps = 0;
};

struct Keystrokes {
    const char16_t* before;
    int caret;   // -1: at the end
    const char16_t* typed;
    const char16_t* after;
    int beeps;
};

}  // namespace

TEST_F(AmountEditTest, TheFilterWithThePagesSetUp)
{
    const Keystrokes cases[] = {
        {u"", -1, u"10000000000", u"10000000000", 0},      // 1e10 itself is accepted
        {u"10000000000", -1, u"0", u"10000000000", 1},     // one more digit: refused and undone
        {u"9999999999", -1, u"9", u"9999999999", 1},
        {u"12.34", -1, u"5", u"12.34", 1},                  // decimals full
        {u"12.34", 0, u"9", u"912.34", 0},                  // before the point, while the length allows
        {u"12.3", -1, u"4", u"12.34", 0},
        {u"", -1, u".", u".", 0},                           // a point into an empty field
        {u"12", 0, u".", u"12", 1},                         // not in front of digits
        {u"1.5", -1, u".", u"1.5", 1},                      // a second point, anywhere
        {u"1.5", 1, u".", u"1.5", 1},
        {u"12", -1, u"-", u"12", 1},                        // no minus on this page
        {u"", -1, u"-", u"", 1},
        {u"", -1, u"a ,+e", u"", 5},                        // letters, space, comma, other signs
        {u"12345678901.2", -1, u"3", u"12345678901.2", 1},  // above the maximum
    };
    for (const Keystrokes& c : cases) {
        Start(c.before, c.caret);
        Type(c.typed);
        EXPECT_EQ(Text(), CString(c.after)) << "typing '" << CString(c.typed).ToUtf8() << "' into '"
                                            << CString(c.before).ToUtf8() << "'";
        EXPECT_EQ(beeps, c.beeps) << CString(c.typed).ToUtf8();
    }
}

TEST_F(AmountEditTest, TheFifteenthCharacterIsRefusedButBackspaceWorks)
{
    amount.Setup(0.0, 0, 0, 14, 1e20);
    Start(u"");
    Type(u"123456789012345");
    EXPECT_EQ(Text(), CString(u"12345678901234"));
    EXPECT_EQ(beeps, 1);
    platform::testing::PressKey(amount.m_hWnd, VK_BACK);
    EXPECT_EQ(Text(), CString(u"1234567890123"));
    EXPECT_EQ(beeps, 1);
}

TEST_F(AmountEditTest, AMinusOnlyAtTheStartAndOnceWhenAllowed)
{
    amount.Setup(0.0, 2, 1, 14, 1e10);
    const Keystrokes cases[] = {
        {u"12", 0, u"-", u"-12", 0},
        {u"12", 1, u"-", u"12", 1},
        {u"-12", 0, u"-", u"-12", 1},
        {u"", -1, u"-5.25", u"-5.25", 0},
    };
    for (const Keystrokes& c : cases) {
        Start(c.before, c.caret);
        Type(c.typed);
        EXPECT_EQ(Text(), CString(c.after)) << CString(c.before).ToUtf8();
        EXPECT_EQ(beeps, c.beeps) << CString(c.before).ToUtf8();
    }
}

TEST_F(AmountEditTest, ARefusedMaximumPutsTheCaretBackAndTypingLeavesNothingToUndo)
{
    Start(u"1000000000");
    amount.SetSel(5, 5);
    Type(u"7");
    EXPECT_EQ(Text(), CString(u"1000000000"));
    int start = 0, end = 0;
    amount.GetSel(start, end);
    EXPECT_EQ(start, 5);
    Start(u"12");
    Type(u"3");
    EXPECT_FALSE(amount.CanUndo()) << "the undo buffer is emptied after every keystroke";
}

TEST_F(AmountEditTest, APasteTheRulesWouldRefuseLeavesTheFieldAsItWas)
{
    struct Paste {
        const char* clip;
        const char16_t* before;
        const char16_t* after;
        int beeps;
    } cases[] = {
        {"123.45", u"", u"123.45", 0},
        {"5", u"12", u"125", 0},
        {"12a", u"7", u"7", 1},                     // a character the filter refuses
        {"1.2.3", u"7", u"7", 1},                   // a second point
        {".5", u"1.5", u"1.5", 1},
        {"1.234", u"", u"", 1},                     // too many decimals
        {"123456789012345", u"", u"", 1},           // too long
        {"-5", u"", u"", 1},                        // no minus on this page
        {"10000000001", u"", u"", 1},               // above the maximum
        {"1e5", u"", u"", 1},
        {"inf", u"", u"", 1},
    };
    for (const Paste& c : cases) {
        Start(c.before);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clip));
        amount.Paste();
        EXPECT_EQ(Text(), CString(c.after)) << c.clip;
        EXPECT_EQ(beeps, c.beeps) << c.clip;
    }
}

TEST_F(AmountEditTest, ReadingBackGivesPlainNumbersOnly)
{
    struct Read {
        const char16_t* text;
        double value;
        const char16_t* shown;
    } cases[] = {
        {u"1.5", 1.5, u"1.5"},     {u"", 0.0, u""},        {u".", 0.0, u""},       {u"12.50", 12.5, u"12.5"},
        {u"1e5", 1.0, u"1"},       {u"inf", 0.0, u""},     {u"nan", 0.0, u""},     {u"10000000000", 1e10, u"10000000000"},
        {u"  7", 7.0, u"7"},       {u"3abc", 3.0, u"3"},
    };
    for (const Read& c : cases) {
        amount.SetWindowText(c.text);
        EXPECT_DOUBLE_EQ(amount.GetValue(), c.value) << CString(c.text).ToUtf8();
        amount.ShowValue();
        EXPECT_EQ(Text(), CString(c.shown)) << CString(c.text).ToUtf8();
    }
    PageSetup(1.0);
    amount.ShowValue();
    EXPECT_EQ(Text(), CString(u"1"));
}
