#pragma once
// One ledger item, and at the same time its record in "OwebookMain": twelve
// typed properties with the fixed ids 101 to 112. A record read from the
// database may lack some of them (written by another program); the getters
// then give the empty value or leave the caller's value alone.

#include "owebook/data/ReminderSpec.h"
#include "platform/core/CString.h"
#include "platform/store/CCeDBRecord.h"

constexpr WORD ITEMPROP_CATEGORY = 101;       // LONG: category id or CATEGORY_NONE
constexpr WORD ITEMPROP_TYPE = 102;           // SHORT: ITEM_IOU or ITEM_UOME
constexpr WORD ITEMPROP_NAME = 103;           // string: the other person
constexpr WORD ITEMPROP_AMOUNT = 104;         // double
constexpr WORD ITEMPROP_DESCRIPTION = 105;    // string
constexpr WORD ITEMPROP_RETURNED = 106;       // bool
constexpr WORD ITEMPROP_RETURNED_DATE = 107;  // ULONG time value, 0 = not set
constexpr WORD ITEMPROP_CREATED_DATE = 108;   // ULONG time value
constexpr WORD ITEMPROP_DUE_DATE = 109;       // ULONG time value, 0 = no due date
constexpr WORD ITEMPROP_REMINDER = 110;       // blob: ReminderSpec
constexpr WORD ITEMPROP_ALARM_TIME = 111;     // blob: local SYSTEMTIME, all zero = none
constexpr WORD ITEMPROP_SNOOZE = 112;         // blob: ReminderSpec

constexpr SHORT ITEM_IOU = 1;   // the user owes
constexpr SHORT ITEM_UOME = 2;  // owed to the user

// List columns: the item fields in the order the list and the layouts use.
constexpr int ITEMFIELD_TYPE = 0;
constexpr int ITEMFIELD_CATEGORY = 1;
constexpr int ITEMFIELD_NAME = 2;
constexpr int ITEMFIELD_RETURNED = 3;
constexpr int ITEMFIELD_DUE = 4;
constexpr int ITEMFIELD_AMOUNT = 5;
constexpr int ITEMFIELD_DESCRIPTION = 6;
constexpr int ITEMFIELD_COUNT = 7;

class CItemRecord : public CCeDBRecord {
public:
    CItemRecord();
    ~CItemRecord() override;

    void SetDefaults();

    LONG GetCategory() const;
    SHORT GetType() const;
    CString GetName() const;
    double GetAmount() const;
    CString GetDescription() const;
    BOOL GetReturned() const;
    BOOL GetReturnedDate(DWORD& time) const;
    BOOL GetCreatedDate(DWORD& time) const;
    BOOL GetDueDate(DWORD& time) const;
    // Copy what the stored blob holds over the caller's initialised value.
    BOOL GetReminder(ReminderSpec& spec) const;
    BOOL GetAlarmTime(SYSTEMTIME& time) const;
    BOOL GetSnooze(ReminderSpec& spec) const;

    void SetCategory(LONG category);
    void SetType(SHORT type);
    void SetName(LPCWSTR name);
    void SetAmount(double amount);
    void SetDescription(LPCWSTR description);
    void SetReturned(BOOL returned);
    void SetReturnedDate(DWORD time);
    void SetCreatedDate(DWORD time);
    void SetDueDate(DWORD time);
    void SetReminder(const ReminderSpec& spec);
    void SetAlarmTime(const SYSTEMTIME& time);
    void SetSnooze(const ReminderSpec& spec);

    // The list text of one item field; FALSE, text untouched, for any other column.
    BOOL GetColumnText(int column, CString& text) const;

    static BOOL IsZeroSystemTime(const SYSTEMTIME& time);

private:
    // The property when the record holds it with a stored value, else null.
    const CCeDBProp* ValueOf(WORD ident) const;
    BOOL GetDate(WORD ident, DWORD& time) const;
    BOOL GetBytes(WORD ident, void* out, DWORD size) const;
    void SetBytes(WORD ident, const void* bytes, DWORD size);
};
