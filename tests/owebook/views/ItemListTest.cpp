// The item lists: row keys and record ids through sorts, deletions and
// insertions; the main list's comparison per field and direction; the sort
// mark; the divider rules; the empty-list text.

#include "ViewTestEnv.h"

#include <algorithm>

#include "owebook/views/Formatting.h"

#include "platform/testing/Screenshot.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTreeWidget>

namespace {

using Strings = std::vector<std::string>;

class ItemListTest : public LedgerTest {
protected:
    void SetUp() override
    {
        platform::testing::ResetUi();
        ASSERT_TRUE(m_host.CreateEx(0, u"Host", u"Host", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 240, 320, nullptr,
                                    nullptr));
        ASSERT_TRUE(m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                  RECT{0, 0, 240, 200}, &m_host, 1073));
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        platform::testing::ResetUi();
    }

    // Columns showing the given fields, 50 pixels each.
    void Columns(std::initializer_list<int> fields)
    {
        int c = 0;
        for (int f : fields) {
            CString header;
            header.LoadString(IDS_FIELD_FIRST + static_cast<UINT>(f));
            m_list.InsertColumn(c, header, LVCFMT_LEFT, 50);
            m_list.m_nColumnField[c++] = static_cast<SHORT>(f);
        }
    }
    void Row(CEOID id, std::initializer_list<const char16_t*> cells)
    {
        const int row = m_list.InsertItemWithId(id, m_list.GetItemCount(), *cells.begin());
        int c = 0;
        for (const char16_t* cell : cells)
            m_list.SetItemText(row, c++, cell);
    }
    Strings Column(int c) const
    {
        Strings cells;
        for (int r = 0; r < m_list.GetItemCount(); ++r)
            cells.push_back(Utf8(m_list.GetItemText(r, c)));
        return cells;
    }
    int HeaderFormat(int column)
    {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        EXPECT_TRUE(m_list.m_header.GetItem(column, &item));
        return item.fmt;
    }
    QHeaderView* HeaderView() const
    {
        auto* tree = qobject_cast<QTreeWidget*>(platform::LookupWindow(m_list.m_hWnd)->widget.data());
        return tree->header();
    }
    void Mouse(QEvent::Type type, int x, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* viewport = HeaderView()->viewport();
        const QPoint at(x, viewport->height() / 2);
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, viewport->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    // A finger drags the divider at the right of `column` by dx pixels.
    void DragDivider(int column, int dx)
    {
        const int edge = HeaderView()->sectionViewportPosition(column) + HeaderView()->sectionSize(column);
        Mouse(QEvent::MouseButtonPress, edge);
        Mouse(QEvent::MouseMove, edge + dx / 2);
        Mouse(QEvent::MouseMove, edge + dx);
        Mouse(QEvent::MouseButtonRelease, edge + dx);
    }
    std::vector<int> Widths() const
    {
        std::vector<int> widths;
        for (int c = 0; c < m_list.GetColumnCount(); ++c)
            widths.push_back(m_list.GetColumnWidth(c));
        return widths;
    }
    int ClientWidth() const
    {
        CRect client;
        m_list.GetClientRect(&client);
        return client.Width();
    }

    CWnd m_host;
    CMainListCtrl m_list;
};

}  // namespace

TEST_F(ItemListTest, RowsAreFoundByIdAfterSortingAndAfterDeleteAndInsert)
{
    Columns({ITEMFIELD_NAME});
    EXPECT_EQ(m_list.FindRowById(7), -1) << "empty";
    Row(7, {u"c"});
    Row(9, {u"a"});
    Row(12, {u"b"});
    m_list.SortItems(0, TRUE);
    EXPECT_EQ(Column(0), (Strings{"a", "b", "c"}));
    const int row = m_list.FindRowById(9);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(m_list.GetRowId(row), 9u);
    EXPECT_EQ(m_list.FindRowById(8), -1);
    // Renumbered: the low half holds the row's new index, the high half its key.
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(RowIndexOf(m_list.GetItemData(r)), static_cast<DWORD>(r));

    // Keys 1, 2, 3 were given; deleting frees one; the next row gets the
    // smallest free key not below the row count.
    const DWORD freed = m_list.GetItemKey(m_list.FindRowById(7));
    EXPECT_TRUE(m_list.DeleteRow(m_list.FindRowById(7)));
    EXPECT_EQ(m_list.FindRowById(7), -1);
    Row(20, {u"d"});
    EXPECT_EQ(m_list.GetItemKey(m_list.FindRowById(20)), freed == 3 ? 3u : 4u);
    for (CEOID id : {9u, 12u, 20u})
        EXPECT_EQ(m_list.GetRowId(m_list.FindRowById(id)), id);
    EXPECT_EQ(m_list.GetRowId(99), 0u);
    EXPECT_TRUE(m_list.DeleteAllRows());
    EXPECT_TRUE(m_list.m_mapKeyToId.empty());
    EXPECT_EQ(m_list.FindRowById(9), -1);
}

// A row's item data is 64 bits: keys and indexes beyond 16 bits survive.
TEST_F(ItemListTest, KeysAndIndexesBeyondSixteenBitsSurvive)
{
    Columns({ITEMFIELD_NAME});
    const DWORD key = 70000;
    m_list.m_mapKeyToId[key] = 4711;
    m_list.InsertItemWithKey(key, 0, u"far");
    m_list.SetItemData(0, MakeRowData(key, 70001));
    EXPECT_EQ(m_list.GetItemKey(0), key);
    EXPECT_EQ(m_list.GetRowId(0), 4711u);
    EXPECT_EQ(m_list.FindRowById(4711), 0);
    m_list.SortItems(0, TRUE);
    EXPECT_EQ(m_list.GetItemData(0), MakeRowData(key, 0));
    EXPECT_EQ(m_list.InsertItemNoKey(1, u"none"), 1);
    EXPECT_EQ(m_list.GetItemKey(1), ROW_NO_KEY);
    EXPECT_EQ(m_list.GetRowId(1), 0u);
}

struct SortCase {
    const char* name;
    int field;
    BOOL ascending;
    std::vector<const char16_t*> texts;
    Strings sorted;
};

TEST_F(ItemListTest, MainListComparesByTheColumnsField)
{
    const SortCase cases[] = {
        {"TypeAscendingIouFirst", ITEMFIELD_TYPE, TRUE, {u"UOMe", u"IOU", u"UOMe", u"IOU"}, {"IOU", "IOU", "UOMe", "UOMe"}},
        {"TypeDescending", ITEMFIELD_TYPE, FALSE, {u"IOU", u"UOMe"}, {"UOMe", "IOU"}},
        {"AmountWithFractions", ITEMFIELD_AMOUNT, TRUE, {u"12.9", u"12.1", u"-3", u"", u"2"}, {"-3", "", "2", "12.1", "12.9"}},
        {"AmountBeyondTwoThousandMillion", ITEMFIELD_AMOUNT, TRUE, {u"10000000000", u"-10000000000", u"3000000000", u"1"},
         {"-10000000000", "1", "3000000000", "10000000000"}},
        {"AmountDescending", ITEMFIELD_AMOUNT, FALSE, {u"12.25", u"12.5", u"100"}, {"100", "12.5", "12.25"}},
        {"DueAscendingNoneLast", ITEMFIELD_DUE, TRUE, {u"None", u"3/10/2024 2:00:00 PM", u"1/2/2024 9:00:00 AM", u"None"},
         {"1/2/2024 9:00:00 AM", "3/10/2024 2:00:00 PM", "None", "None"}},
        {"DueDescendingNoneFirst", ITEMFIELD_DUE, FALSE, {u"1/2/2024 9:00:00 AM", u"None", u"3/10/2024 2:00:00 PM"},
         {"None", "3/10/2024 2:00:00 PM", "1/2/2024 9:00:00 AM"}},
        {"SameDayByTime", ITEMFIELD_DUE, TRUE, {u"3/10/2024 2:00:00 PM", u"3/10/2024 9:00:00 AM"},
         {"3/10/2024 9:00:00 AM", "3/10/2024 2:00:00 PM"}},
        {"ReturnedLeavesTheOrder", ITEMFIELD_RETURNED, TRUE, {u"Yes", u"No", u"Yes"}, {"Yes", "No", "Yes"}},
        {"NameIgnoresCase", ITEMFIELD_NAME, TRUE, {u"bob", u"Alice", u"carol"}, {"Alice", "bob", "carol"}},
        {"CategoryDescending", ITEMFIELD_CATEGORY, FALSE, {u"Books", u"cds", u"Loans"}, {"Loans", "cds", "Books"}},
    };
    for (const SortCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_list.DeleteAllRows();
        m_list.DeleteAllColumns();
        Columns({c.field});
        CEOID id = 1;
        for (const char16_t* text : c.texts)
            Row(id++, {text});
        m_list.SortItems(0, c.ascending);
        EXPECT_EQ(Column(0), c.sorted);
    }
}

// Dates print with two-digit years under such a format: they are read back in 1970-2069.
TEST_F(ItemListTest, TwoDigitYearsSortAcrossTheTurnOfTheCentury)
{
    platform::SetUserShortDateFormat(u"M/d/yy");
    CString y1999, y2001, y2060;
    FormatDateTime(946684799 - 86400, y1999);   // 1999-12-30
    FormatDateTime(978393600, y2001);           // 2001-01-02
    FormatDateTime(2853496800u, y2060);         // 2060-06-03
    ASSERT_GE(y2060.Find(u"/60 "), 0) << Utf8(y2060);
    Columns({ITEMFIELD_DUE});
    Row(1, {y2060.GetString()});
    Row(2, {y1999.GetString()});
    Row(3, {y2001.GetString()});
    m_list.SortItems(0, TRUE);
    EXPECT_EQ(Column(0), (Strings{Utf8(y1999), Utf8(y2001), Utf8(y2060)}));
}

TEST_F(ItemListTest, TappingHeadersSortsAndMovesTheMark)
{
    Columns({ITEMFIELD_NAME, ITEMFIELD_AMOUNT, ITEMFIELD_CATEGORY});
    Row(1, {u"b", u"2", u"x"});
    Row(2, {u"a", u"10", u"y"});
    Row(3, {u"c", u"1", u"z"});
    auto tap = [&](int column) {
        NMLISTVIEW nm{};
        nm.hdr = NMHDR{m_list.m_hWnd, 1073, LVN_COLUMNCLICK};
        nm.iItem = -1;
        nm.iSubItem = column;
        m_host.SendMessage(WM_NOTIFY, 1073, reinterpret_cast<LPARAM>(&nm));
    };
    struct Step {
        int column;
        BOOL ascending;
        Strings names;
    };
    const Step steps[] = {
        {1, TRUE, {"c", "b", "a"}},
        {1, FALSE, {"a", "b", "c"}},
        {1, TRUE, {"c", "b", "a"}},
        {0, TRUE, {"a", "b", "c"}},
        {2, TRUE, {"b", "a", "c"}},
    };
    for (const Step& s : steps) {
        tap(s.column);
        EXPECT_EQ(m_list.m_nSortColumn, s.column);
        EXPECT_EQ(m_list.m_bAscending, s.ascending);
        EXPECT_EQ(m_list.m_header.m_nSortColumn, s.column);
        EXPECT_EQ(m_list.m_header.m_bAscending, s.ascending);
        EXPECT_EQ(Column(0), s.names);
    }
    // Every column once sorted by stays drawn by the header object.
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(HeaderFormat(c) & HDF_OWNERDRAW) << c;
    m_list.m_header.ShowSortMark(-1, TRUE);
    EXPECT_EQ(m_list.m_header.m_nSortColumn, -1);
    EXPECT_TRUE(HeaderFormat(2) & HDF_OWNERDRAW);
}

TEST_F(ItemListTest, DividerDragsKeepEveryColumnAtTwentyPixelsAndTheLastFillingTheList)
{
    Columns({ITEMFIELD_TYPE, ITEMFIELD_NAME, ITEMFIELD_AMOUNT});
    m_list.FitLastColumn(20, -1);
    const int avail = ClientWidth();
    EXPECT_EQ(Widths(), (std::vector<int>{50, 50, avail - 100}));

    DragDivider(2, -30);
    EXPECT_EQ(Widths(), (std::vector<int>{50, 50, avail - 100})) << "the last divider stays";

    DragDivider(0, -45);
    EXPECT_EQ(Widths(), (std::vector<int>{20, 50, avail - 70})) << "at least 20 pixels";

    DragDivider(1, 500);
    EXPECT_EQ(Widths(), (std::vector<int>{20, avail - 40, 20})) << "the last column keeps 20";

    DragDivider(1, -100);
    const std::vector<int> before = Widths();
    EXPECT_EQ(before[0] + before[1] + before[2], avail);

    // A double tap on a divider changes nothing (Qt would fit the column to its texts).
    Row(1, {u"a very long type text", u"a very long name text", u"1"});
    const int edge = HeaderView()->sectionViewportPosition(1) + HeaderView()->sectionSize(1);
    Mouse(QEvent::MouseButtonPress, edge);
    Mouse(QEvent::MouseButtonRelease, edge);
    Mouse(QEvent::MouseButtonDblClick, edge);
    Mouse(QEvent::MouseButtonRelease, edge);
    EXPECT_EQ(Widths(), before);
}

TEST_F(ItemListTest, EmptyListSaysSoTenPixelsBelowTheHeader)
{
    Columns({ITEMFIELD_NAME, ITEMFIELD_AMOUNT});
    m_list.FitLastColumn(20, -1);
    CRect header;
    ASSERT_TRUE(m_list.m_header.GetItemRect(0, &header));
    auto textRows = [&]() {
        // Rows of the list's client area (in list pixels) where dark text shows.
        platform::testing::Screenshot shot(m_host.m_hWnd, 1);
        CRect list;
        m_list.GetWindowRect(&list);
        m_host.ScreenToClient(&list);
        CRect hostWindow;
        m_host.GetWindowRect(&hostWindow);
        CRect hostClient;
        m_host.GetClientRect(&hostClient);
        m_host.ClientToScreen(&hostClient);
        const int dx = hostClient.left - hostWindow.left + list.left;
        const int dy = hostClient.top - hostWindow.top + list.top;
        std::vector<int> rows;
        for (int y = 0; y < list.Height(); ++y) {
            for (int x = 2; x < list.Width() - 2; ++x) {
                const COLORREF c = shot.Pixel(dx + x, dy + y);
                if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) {
                    rows.push_back(y);
                    break;
                }
            }
        }
        return rows;
    };
    const std::vector<int> empty = textRows();
    const auto below = std::find_if(empty.begin(), empty.end(), [&](int y) { return y > header.bottom + 2; });
    ASSERT_NE(below, empty.end()) << "the text shows";
    EXPECT_GE(*below, header.bottom + 10);
    EXPECT_LE(*below, header.bottom + 10 + 8);

    Row(1, {u"", u""});   // a row without text: only the message could be dark
    const std::vector<int> filled = textRows();
    EXPECT_EQ(std::count_if(filled.begin(), filled.end(), [&](int y) { return y > header.bottom + 2; }), 0);
}
