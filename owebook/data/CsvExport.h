#pragma once
// The ledger as a spreadsheet reads it: one header row, then one row per
// item with its type, category name, name, amount, description, dates,
// returned flag and reminder. Amounts are the shortest text that reads back
// as the same number; dates are ISO 8601 local time with the offset from
// UTC, empty when not set.

#include "owebook/data/CsvWriter.h"
#include "owebook/data/ReminderSpec.h"

#include <string>

// Writes every item of the device's ledger; FALSE when the items could not
// be read or the writer's sink failed. `nItems` receives the rows written.
BOOL ExportItemsCsv(CCsvWriter& writer, DWORD& nItems);

std::string CsvAmount(double amount);
// "2026-03-01T18:30:00+01:00"; empty for 0.
std::string CsvDate(DWORD time);
// "2 days before", "1 hour before"; empty when the reminder is off.
std::string CsvReminder(const ReminderSpec& spec);
