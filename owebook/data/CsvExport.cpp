#include "owebook/data/CsvExport.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"
#include "owebook/data/CategoryStore.h"
#include "owebook/data/ItemRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "platform/core/Time.h"
#include "platform/store/CCeDBDatabase.h"

#include <charconv>
#include <cstdio>
#include <unordered_map>

namespace {

const char* const HEADER[] = {"Type",    "Category", "Name",     "Amount",        "Description",
                              "Created", "Due",      "Returned", "Returned date", "Reminder"};

// Category names by id; a category that cannot be read shows as none.
std::unordered_map<LONG, CString> ReadCategoryNames()
{
    std::unordered_map<LONG, CString> names;
    CCeDBDatabase db;
    if (!db.Open(CATEGORIES_DATABASE))
        return names;
    CCategoryRecord record;
    for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext())
        if (db.ReadCurrRecord(&record))
            names[static_cast<LONG>(oid)] = record.GetName();
    return names;
}

std::string DateField(const CItemRecord& item, BOOL (CItemRecord::*get)(DWORD&) const)
{
    DWORD time = 0;
    return (item.*get)(time) ? CsvDate(time) : std::string();
}

void WriteItem(CCsvWriter& writer, const CItemRecord& item, const std::unordered_map<LONG, CString>& categories)
{
    writer.AddField(std::string(item.GetType() == ITEM_IOU ? "IOU" : "UOMe"));
    const LONG category = item.GetCategory();
    const auto found = IsRealCategoryId(category) ? categories.find(category) : categories.end();
    writer.AddField(found != categories.end() ? found->second : CString());
    writer.AddField(item.GetName());
    writer.AddField(CsvAmount(item.GetAmount()));
    writer.AddField(item.GetDescription());
    writer.AddField(DateField(item, &CItemRecord::GetCreatedDate));
    writer.AddField(DateField(item, &CItemRecord::GetDueDate));
    writer.AddField(std::string(item.GetReturned() ? "yes" : "no"));
    writer.AddField(DateField(item, &CItemRecord::GetReturnedDate));
    ReminderSpec reminder;
    writer.AddField(item.GetReminder(reminder) ? CsvReminder(reminder) : std::string());
    writer.EndRow();
}

}  // namespace

BOOL ExportItemsCsv(CCsvWriter& writer, DWORD& nItems)
{
    nItems = 0;
    for (const char* title : HEADER)
        writer.AddField(std::string(title));
    writer.EndRow();

    const std::unordered_map<LONG, CString> categories = ReadCategoryNames();
    CCeDBDatabase db;
    if (CCeDBDatabase::Exists(ITEMS_DATABASE)) {
        if (!db.Open(ITEMS_DATABASE))
            return FALSE;
        CItemRecord item;
        for (CEOID oid = db.SeekFirst(); oid; oid = db.SeekNext()) {
            if (!db.ReadCurrRecord(&item))
                return FALSE;
            WriteItem(writer, item, categories);
            ++nItems;
        }
    }
    return writer.Flush();
}

std::string CsvAmount(double amount)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, amount);
    return std::string(text, result.ptr);
}

std::string CsvDate(DWORD time)
{
    if (time == 0)
        return std::string();
    SYSTEMTIME local {};
    if (!platform::UtcSecondsToLocal(time, local))
        return std::string();
    const std::int64_t offset = platform::SystemTimeToUtcSeconds(local) - static_cast<std::int64_t>(time);
    const std::int64_t minutes = (offset < 0 ? -offset : offset) / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u%c%02d:%02d", local.wYear, local.wMonth,
                  local.wDay, local.wHour, local.wMinute, local.wSecond, offset < 0 ? '-' : '+',
                  static_cast<int>(minutes / 60), static_cast<int>(minutes % 60));
    return text;
}

std::string CsvReminder(const ReminderSpec& spec)
{
    if (!spec.bOn)
        return std::string();
    static const char* const UNITS[] = {"minute", "hour", "day", "week", "month"};
    const char* unit = spec.nUnit < sizeof UNITS / sizeof UNITS[0] ? UNITS[spec.nUnit] : "second";
    return std::to_string(spec.nCount) + " " + unit + (spec.nCount == 1 ? "" : "s") + " before";
}
