// The ledger exported as comma-separated text and read back by a real CSV
// reader (Python's csv module): every field comes back as it was stored.

#include "owebook/data/LedgerTestEnv.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"
#include "owebook/data/CategoryStore.h"
#include "owebook/data/CsvExport.h"
#include "owebook/data/ItemRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "platform/store/CCeDBDatabase.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Hex(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    return out;
}

// Each row comes back from Python as its fields in hexadecimal, split by '|'.
Rows ReadWithPython(const std::string& csv)
{
    char path[] = "/tmp/owebook-csv-XXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    EXPECT_EQ(write(fd, csv.data(), csv.size()), static_cast<ssize_t>(csv.size()));
    close(fd);
    const std::string command =
        std::string("python3 -c 'import csv,sys\n"
                    "for row in csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\")):\n"
                    "    print(\"|\".join(f.encode().hex() for f in row))' ") +
        path;
    Rows rows;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::string line;
        for (int c = fgetc(pipe); c != EOF; c = fgetc(pipe)) {
            if (c != '\n') {
                line += static_cast<char>(c);
                continue;
            }
            std::vector<std::string> fields;
            std::size_t start = 0;
            for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
                fields.push_back(Hex(line.substr(start, bar - start)));
            fields.push_back(Hex(line.substr(start)));
            rows.push_back(fields);
            line.clear();
        }
        EXPECT_EQ(pclose(pipe), 0) << "python3 with its csv module must be installed";
    }
    unlink(path);
    return rows;
}

std::string Export(DWORD* pItems = nullptr)
{
    std::string out;
    CCsvWriter writer([&](const char* data, std::size_t size) {
        out.append(data, size);
        return true;
    });
    DWORD nItems = 0;
    EXPECT_TRUE(ExportItemsCsv(writer, nItems));
    if (pItems)
        *pItems = nItems;
    return out;
}

struct Item {
    SHORT type;
    LONG category;  // 0: the category "Loans"
    const char16_t* name;
    double amount;
    const char16_t* description;
    DWORD due;
    BOOL returned;
    DWORD returnedDate;
    ReminderSpec reminder;
};

class CsvExportTest : public LedgerTest {
protected:
    CsvExportTest()
    {
        CCeDBDatabase categories;
        EXPECT_TRUE(categories.Create(CATEGORIES_DATABASE, CATEGORIES_DATABASE_TYPE));
        EXPECT_TRUE(categories.Open(CATEGORIES_DATABASE));
        CCategoryRecord loans(u"Loans, short-term", TRUE);
        m_loans = static_cast<LONG>(categories.AddRecord(&loans));
        EXPECT_TRUE(CCeDBDatabase().Create(ITEMS_DATABASE, ITEMS_DATABASE_TYPE));
    }

    void Add(const Item& item)
    {
        CCeDBDatabase db;
        ASSERT_TRUE(db.Open(ITEMS_DATABASE));
        CItemRecord record;
        record.SetDefaults();
        record.SetType(item.type);
        record.SetCategory(item.category == 0 ? m_loans : item.category);
        record.SetName(item.name);
        record.SetAmount(item.amount);
        record.SetDescription(item.description);
        record.SetDueDate(item.due);
        record.SetReturned(item.returned);
        record.SetReturnedDate(item.returnedDate);
        record.SetReminder(item.reminder);
        ASSERT_NE(db.AddRecord(&record), 0u);
    }

    LONG m_loans = 0;
};

TEST_F(CsvExportTest, ReadBackByPythonEveryFieldIsAsStored)
{
    const Item items[] = {
        {ITEM_IOU, 0, u"Smith, John", 0.1, u"He said \"pay me back\"", 0, FALSE, 0, ReminderSpec()},
        {ITEM_UOME, CATEGORY_NONE, u"\u00c5sa \u00d8rn \u2013 \u5c71\u7530 \U0001F4B6", 1e10,
         u"line one\r\nline two\nline three", 1720000000, TRUE, 1720086400, ReminderSpec(1, REMINDER_DAYS, 2)},
        {0, 999999, u"", -2.5, u"comma, \"both\"\nand a break", 1704067200, FALSE, 0,
         ReminderSpec(1, REMINDER_HOURS, 1)},
        {3, 0, u" padded ", 1.0 / 3, u"\"", 0, TRUE, 0, ReminderSpec(0, REMINDER_MINUTES, 30)},
    };
    for (const Item& item : items)
        Add(item);

    DWORD nItems = 0;
    const Rows rows = ReadWithPython(Export(&nItems));
    EXPECT_EQ(nItems, 4u);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Type", "Category", "Name", "Amount", "Description", "Created",
                                                 "Due", "Returned", "Returned date", "Reminder"}));
    const Rows expected = {
        {"IOU", "Loans, short-term", "Smith, John", "0.1", "He said \"pay me back\"", "2024-03-10T15:30:00+01:00", "",
         "no", "", ""},
        {"UOMe", "", "\xc3\x85sa \xc3\x98rn \xe2\x80\x93 \xe5\xb1\xb1\xe7\x94\xb0 \xf0\x9f\x92\xb6", "1e+10",
         "line one\r\nline two\nline three", "2024-03-10T15:30:00+01:00", "2024-07-03T11:46:40+02:00", "yes",
         "2024-07-04T11:46:40+02:00", "2 days before"},
        {"UOMe", "", "", "-2.5", "comma, \"both\"\nand a break", "2024-03-10T15:30:00+01:00",
         "2024-01-01T01:00:00+01:00", "no", "", "1 hour before"},
        {"UOMe", "Loans, short-term", " padded ", CsvAmount(1.0 / 3), "\"", "2024-03-10T15:30:00+01:00", "", "yes",
         "", ""},
    };
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows[i + 1], expected[i]) << "row " << i + 1;
    // The amounts read back as the very same numbers.
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(std::strtod(rows[i + 1][3].c_str(), nullptr), items[i].amount) << rows[i + 1][3];
}

TEST_F(CsvExportTest, RecordOfAnotherProgramWithoutMostPropertiesGivesEmptyFields)
{
    CCeDBDatabase db;
    ASSERT_TRUE(db.Open(ITEMS_DATABASE));
    CCeDBRecord bare;
    bare.AddProp(CCeDBProp(static_cast<SHORT>(ITEM_IOU), ITEMPROP_TYPE));
    bare.AddProp(CCeDBProp(u"only a name", ITEMPROP_NAME));
    ASSERT_NE(db.AddRecord(&bare), 0u);

    const Rows rows = ReadWithPython(Export());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"IOU", "", "only a name", "0", "", "", "", "no", "", ""}));
}

TEST_F(CsvExportTest, EmptyLedgerIsTheHeaderAlone)
{
    EXPECT_EQ(Export(), "Type,Category,Name,Amount,Description,Created,Due,Returned,Returned date,Reminder\r\n");
}

TEST_F(CsvExportTest, LargeExportReachesTheSinkInBlocksAndStopsWhenItFails)
{
    for (int i = 0; i < 2000; ++i)
        Add({ITEM_IOU, 0, u"a name long enough to fill the blocks", i * 1.5, u"", 0, FALSE, 0, ReminderSpec()});
    std::size_t blocks = 0, largest = 0, total = 0;
    CCsvWriter counting([&](const char*, std::size_t size) {
        ++blocks;
        largest = std::max(largest, size);
        total += size;
        return true;
    });
    DWORD nItems = 0;
    ASSERT_TRUE(ExportItemsCsv(counting, nItems));
    EXPECT_EQ(total, Export().size());
    EXPECT_GT(blocks, 1u);
    EXPECT_LT(largest, 100u * 1024) << "memory stays flat";

    CCsvWriter failing([](const char*, std::size_t) { return false; });
    EXPECT_FALSE(ExportItemsCsv(failing, nItems));
}

struct AmountCase {
    double value;
    const char* text;
};

TEST(CsvAmountTest, ShortestTextThatReadsBackAsTheSameNumber)
{
    const AmountCase cases[] = {{0.1, "0.1"},     {1e10, "1e+10"},   {-2.5, "-2.5"},   {1.0, "1"},
                                {100.0, "100"},   {0.0, "0"},        {-0.0, "-0"},     {12.25, "12.25"},
                                {1e-7, "1e-07"},  {123456.789, "123456.789"},          {0.30000000000000004, "0.30000000000000004"}};
    for (const AmountCase& c : cases) {
        EXPECT_EQ(CsvAmount(c.value), c.text);
        EXPECT_EQ(std::strtod(CsvAmount(c.value).c_str(), nullptr), c.value);
    }
}

struct DateCase {
    const char* zone;
    DWORD time;
    const char* text;
};

TEST(CsvDateTest, LocalTimeWithItsOffset)
{
    const DateCase cases[] = {
        {"Europe/Berlin", 1710081000, "2024-03-10T15:30:00+01:00"},
        {"Europe/Berlin", 1720000000, "2024-07-03T11:46:40+02:00"},
        {"UTC", 1720000000, "2024-07-03T09:46:40+00:00"},
        {"America/St_Johns", 1704067200, "2023-12-31T20:30:00-03:30"},
        {"Asia/Kathmandu", 1704067200, "2024-01-01T05:45:00+05:45"},
        {"America/New_York", 0xFFFFFFFFu, "2106-02-07T01:28:15-05:00"},
        {"UTC", 0, ""},
    };
    for (const DateCase& c : cases) {
        TestZone zone(c.zone);
        EXPECT_EQ(CsvDate(c.time), c.text) << c.zone;
    }
}

TEST(CsvReminderTest, LeadTimeInWordsEmptyWhenOff)
{
    const std::pair<ReminderSpec, const char*> cases[] = {
        {ReminderSpec(), ""},
        {ReminderSpec(0, REMINDER_DAYS, 2), ""},
        {ReminderSpec(1, REMINDER_DAYS, 2), "2 days before"},
        {ReminderSpec(1, REMINDER_DAYS, 1), "1 day before"},
        {ReminderSpec(1, REMINDER_MINUTES, 30), "30 minutes before"},
        {ReminderSpec(1, REMINDER_HOURS, 1), "1 hour before"},
        {ReminderSpec(1, REMINDER_WEEKS, 2), "2 weeks before"},
        {ReminderSpec(1, REMINDER_MONTHS, 1), "1 month before"},
        {ReminderSpec(1, 9, 45), "45 seconds before"},
    };
    for (const auto& [spec, text] : cases)
        EXPECT_EQ(CsvReminder(spec), text);
}

}  // namespace
