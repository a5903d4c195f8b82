// The date-time picker: a value or none, its range, the time-only picker
// keeping the date, what the user changes reported as DTN_DATETIMECHANGE and
// what the program sets not reported, the style bit 0x0080 kept.

#include "UiTest.h"

#include "platform/ui/controls/datetime/CDateTimeCtrl.h"
#include "platform/ui/controls/datetime/DateTimeWidget.h"

#include <QCheckBox>
#include <QDateTimeEdit>

#include <vector>

namespace {

struct Change {
    int id;
    DWORD flags;
    SYSTEMTIME st;
};

class CPickerHost : public CWnd {
public:
    std::vector<Change> changes;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->code == DTN_DATETIMECHANGE) {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(lParam);
            changes.push_back({static_cast<int>(hdr->idFrom), change->dwFlags, change->st});
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

SYSTEMTIME At(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0)
{
    return SYSTEMTIME{y, mo, 0, d, h, mi, s, 0};
}

bool Same(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

class DateTimePickerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(MakeTopLevel(&host), nullptr);
    }
    CDateTimeCtrl& Make(CDateTimeCtrl& picker, DWORD style, UINT id)
    {
        EXPECT_TRUE(picker.Create(WS_VISIBLE | style, CRect(10, 10, 120, 30), &host, id));
        return picker;
    }
    static platform::DateTimeWidget* Widget(const CDateTimeCtrl& picker)
    {
        return dynamic_cast<platform::DateTimeWidget*>(platform::LookupWindow(picker.m_hWnd)->widget.data());
    }

    CPickerHost host;
};

}  // namespace

TEST_F(DateTimePickerTest, HoldsAValueOrNoneOnlyWithTheCheckBox)
{
    CDateTimeCtrl withBox, withoutBox;
    Make(withBox, DTS_SHORTDATEFORMAT | DTS_SHOWNONE, 1133);
    Make(withoutBox, DTS_SHORTDATEFORMAT, 1140);
    const SYSTEMTIME due = At(2026, 6, 10, 9, 0, 0);
    SYSTEMTIME got{};

    EXPECT_TRUE(withBox.SetTime(&due));
    EXPECT_EQ(withBox.GetTime(&got), GDT_VALID);
    EXPECT_TRUE(Same(got, due));
    EXPECT_EQ(got.wDayOfWeek, 3) << "10 June 2026 is a Wednesday";
    EXPECT_TRUE(Widget(withBox)->CheckBox()->isChecked());

    EXPECT_TRUE(withBox.SetTime(nullptr));
    got = At(1, 1, 1);
    EXPECT_EQ(withBox.GetTime(&got), GDT_NONE);
    EXPECT_EQ(got.wYear, 1) << "none leaves the caller's time alone";
    EXPECT_FALSE(Widget(withBox)->CheckBox()->isChecked());
    EXPECT_FALSE(Widget(withBox)->Editor()->isEnabled());

    EXPECT_EQ(Widget(withoutBox)->CheckBox(), nullptr);
    EXPECT_FALSE(withoutBox.SetTime(nullptr)) << "no check box: a value it must keep";
    EXPECT_EQ(withoutBox.GetTime(&got), GDT_VALID);
    EXPECT_EQ(withBox.SendMessage(DTM_GETSYSTEMTIME, 0, 0), static_cast<LRESULT>(static_cast<int>(GDT_ERROR)));
    EXPECT_TRUE(host.changes.empty()) << "what the program sets is not reported";
}

TEST_F(DateTimePickerTest, RefusesValuesOutsideItsRangeAndInvalidDates)
{
    CDateTimeCtrl picker;
    Make(picker, DTS_SHORTDATEFORMAT | DTS_SHOWNONE, 1132);
    const SYSTEMTIME low = At(1970, 1, 1, 0, 0, 0), high = At(2106, 2, 7, 6, 28, 15);
    ASSERT_TRUE(picker.SetRange(&low, &high));
    SYSTEMTIME min{}, max{};
    EXPECT_EQ(picker.GetRange(&min, &max), GDTR_MIN | GDTR_MAX);
    EXPECT_TRUE(Same(min, low));
    EXPECT_TRUE(Same(max, high));

    struct Case {
        SYSTEMTIME time;
        bool accepted;
    } cases[] = {
        {low, true},
        {high, true},
        {At(1969, 12, 31, 23, 59, 59), false},
        {At(2106, 2, 7, 6, 28, 16), false},
        {At(2026, 2, 30), false},
        {At(2026, 13, 1), false},
        {At(2026, 6, 10, 24, 0, 0), false},
    };
    const SYSTEMTIME kept = At(2000, 1, 1, 12, 0, 0);
    for (const Case& c : cases) {
        picker.SetTime(&kept);
        EXPECT_EQ(picker.SetTime(&c.time), c.accepted ? TRUE : FALSE)
            << c.time.wYear << "-" << c.time.wMonth << "-" << c.time.wDay << " " << c.time.wHour;
        SYSTEMTIME got{};
        picker.GetTime(&got);
        EXPECT_TRUE(Same(got, c.accepted ? c.time : kept));
    }
}

TEST_F(DateTimePickerTest, TheUsersChangesAreReportedAndATimePickerKeepsItsDate)
{
    CDateTimeCtrl date, time;
    Make(date, DTS_SHORTDATEFORMAT | DTS_SHOWNONE, 1133);
    Make(time, DTS_TIMEFORMAT | DTS_SHOWNONE, 1171);
    const SYSTEMTIME due = At(2026, 6, 10, 9, 0, 30);
    date.SetTime(&due);
    time.SetTime(&due);

    // The user picks 12 June in the date picker: its time of day stays.
    Widget(date)->Editor()->setDate(QDate(2026, 6, 12));
    ASSERT_EQ(host.changes.size(), 1u);
    EXPECT_EQ(host.changes[0].id, 1133);
    EXPECT_EQ(host.changes[0].flags, GDT_VALID);
    EXPECT_TRUE(Same(host.changes[0].st, At(2026, 6, 12, 9, 0, 30)));

    // And 10:15 in the time picker: its date and seconds stay.
    Widget(time)->Editor()->setTime(QTime(10, 15, 0));
    ASSERT_EQ(host.changes.size(), 2u);
    SYSTEMTIME got{};
    EXPECT_EQ(time.GetTime(&got), GDT_VALID);
    EXPECT_TRUE(Same(got, At(2026, 6, 10, 10, 15, 30)));

    // A day outside the range is taken back; a time of day is never clamped
    // to the range's times.
    const SYSTEMTIME low = At(2026, 1, 1, 12, 0, 0), high = At(2026, 12, 31, 8, 0, 0);
    date.SetRange(&low, &high);
    time.SetRange(&low, &high);
    Widget(date)->Editor()->setDate(QDate(2027, 1, 5));
    EXPECT_EQ(date.GetTime(&got), GDT_VALID);
    EXPECT_TRUE(Same(got, At(2026, 6, 12, 9, 0, 30)));
    EXPECT_EQ(Widget(date)->Editor()->date(), QDate(2026, 6, 12));
    EXPECT_EQ(host.changes.size(), 2u);
    EXPECT_EQ(Widget(time)->Editor()->time().hour(), 10);

    // Clearing the check box is "no date"; ticking it brings the value back.
    Widget(date)->CheckBox()->click();
    ASSERT_EQ(host.changes.size(), 3u);
    EXPECT_EQ(host.changes[2].flags, GDT_NONE);
    EXPECT_EQ(date.GetTime(&got), GDT_NONE);
    Widget(date)->CheckBox()->click();
    EXPECT_EQ(date.GetTime(&got), GDT_VALID);
    EXPECT_TRUE(Same(got, At(2026, 6, 12, 9, 0, 30)));
    EXPECT_EQ(host.changes.size(), 4u);
}

TEST_F(DateTimePickerTest, TheNoneButtonStyleBitIsKeptAndChangesNothing)
{
    CDateTimeCtrl picker;
    Make(picker, DTS_SHORTDATEFORMAT | DTS_SHOWNONE, 1134);
    picker.ModifyStyle(0, DTS_NONEBUTTON);
    EXPECT_TRUE(picker.GetStyle() & DTS_NONEBUTTON);
    const SYSTEMTIME returned = At(2026, 3, 1, 8, 30, 0);
    EXPECT_TRUE(picker.SetTime(&returned));
    EXPECT_TRUE(picker.SetTime(nullptr));
    SYSTEMTIME got{};
    EXPECT_EQ(picker.GetTime(&got), GDT_NONE);

    CDateTimeCtrl made;
    Make(made, DTS_SHORTDATEFORMAT | DTS_SHOWNONE | DTS_NONEBUTTON, 1135);
    EXPECT_EQ(made.GetTime(&got), GDT_VALID) << "a new picker holds the current time";
}
