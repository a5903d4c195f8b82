#include "owebook/data/ItemRecord.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/res/Resource.h"
#include "owebook/views/Formatting.h"
#include "platform/core/Time.h"

#include <algorithm>
#include <cstring>
#include <iterator>

CItemRecord::CItemRecord()
{
    const CCeDBProp props[] = {
        CCeDBProp(CCeDBProp::Type_Long, ITEMPROP_CATEGORY),
        CCeDBProp(CCeDBProp::Type_Short, ITEMPROP_TYPE),
        CCeDBProp(CCeDBProp::Type_String, ITEMPROP_NAME),
        CCeDBProp(CCeDBProp::Type_Double, ITEMPROP_AMOUNT),
        CCeDBProp(CCeDBProp::Type_String, ITEMPROP_DESCRIPTION),
        CCeDBProp(CCeDBProp::Type_Bool, ITEMPROP_RETURNED),
        CCeDBProp(CCeDBProp::Type_ULong, ITEMPROP_RETURNED_DATE),
        CCeDBProp(CCeDBProp::Type_ULong, ITEMPROP_CREATED_DATE),
        CCeDBProp(CCeDBProp::Type_ULong, ITEMPROP_DUE_DATE),
        CCeDBProp(CCeDBProp::Type_Blob, ITEMPROP_REMINDER),
        CCeDBProp(CCeDBProp::Type_Blob, ITEMPROP_ALARM_TIME),
        CCeDBProp(CCeDBProp::Type_Blob, ITEMPROP_SNOOZE),
    };
    AddProps(props, static_cast<WORD>(std::size(props)));
}

CItemRecord::~CItemRecord() = default;

void CItemRecord::SetDefaults()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    DWORD created = 0;
    LocalSystemTimeToTime32(&now, &created);

    SetCategory(CATEGORY_NONE);
    SetType(ITEM_IOU);
    SetName(u"");
    SetAmount(1.0);
    SetDescription(u"");
    SetReturned(FALSE);
    SetReturnedDate(0);
    SetCreatedDate(created);
    SetDueDate(0);
    SetReminder(ReminderSpec());
    SYSTEMTIME noAlarm{};
    SetAlarmTime(noAlarm);
    SetSnooze(ReminderSpec(0, 5, 0));
}

const CCeDBProp* CItemRecord::ValueOf(WORD ident) const
{
    const CCeDBProp* prop = GetPropFromID(ident);
    return prop && prop->HasValue() ? prop : nullptr;
}

LONG CItemRecord::GetCategory() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_CATEGORY);
    return prop ? prop->GetLong() : 0;
}

SHORT CItemRecord::GetType() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_TYPE);
    return prop ? prop->GetShort() : 0;
}

CString CItemRecord::GetName() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_NAME);
    return prop ? CString(prop->GetString(), prop->GetStringLength()) : CString();
}

double CItemRecord::GetAmount() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_AMOUNT);
    return prop ? prop->GetDouble() : 0.0;
}

CString CItemRecord::GetDescription() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_DESCRIPTION);
    return prop ? CString(prop->GetString(), prop->GetStringLength()) : CString();
}

BOOL CItemRecord::GetReturned() const
{
    const CCeDBProp* prop = ValueOf(ITEMPROP_RETURNED);
    return prop && prop->GetBool() ? TRUE : FALSE;
}

BOOL CItemRecord::GetDate(WORD ident, DWORD& time) const
{
    const CCeDBProp* prop = ValueOf(ident);
    if (!prop)
        return FALSE;
    time = prop->GetULong();
    return TRUE;
}

BOOL CItemRecord::GetReturnedDate(DWORD& time) const { return GetDate(ITEMPROP_RETURNED_DATE, time); }
BOOL CItemRecord::GetCreatedDate(DWORD& time) const { return GetDate(ITEMPROP_CREATED_DATE, time); }
BOOL CItemRecord::GetDueDate(DWORD& time) const { return GetDate(ITEMPROP_DUE_DATE, time); }

BOOL CItemRecord::GetBytes(WORD ident, void* out, DWORD size) const
{
    const CCeDBProp* prop = ValueOf(ident);
    if (!prop)
        return FALSE;
    CEBLOB blob = prop->GetBlob();
    // A blob written elsewhere may be shorter or longer than the structure.
    std::memcpy(out, blob.lpb, std::min(blob.dwCount, size));
    return TRUE;
}

BOOL CItemRecord::GetReminder(ReminderSpec& spec) const { return GetBytes(ITEMPROP_REMINDER, &spec, sizeof spec); }
BOOL CItemRecord::GetAlarmTime(SYSTEMTIME& time) const { return GetBytes(ITEMPROP_ALARM_TIME, &time, sizeof time); }
BOOL CItemRecord::GetSnooze(ReminderSpec& spec) const { return GetBytes(ITEMPROP_SNOOZE, &spec, sizeof spec); }

void CItemRecord::SetCategory(LONG category)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_CATEGORY))
        prop->SetLong(category);
}

void CItemRecord::SetType(SHORT type)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_TYPE))
        prop->SetShort(type);
}

void CItemRecord::SetName(LPCWSTR name)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_NAME))
        prop->SetString(name);
}

void CItemRecord::SetAmount(double amount)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_AMOUNT))
        prop->SetDouble(amount);
}

void CItemRecord::SetDescription(LPCWSTR description)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_DESCRIPTION))
        prop->SetString(description);
}

void CItemRecord::SetReturned(BOOL returned)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_RETURNED))
        prop->SetBool(returned);
}

void CItemRecord::SetReturnedDate(DWORD time)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_RETURNED_DATE))
        prop->SetULong(time);
}

void CItemRecord::SetCreatedDate(DWORD time)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_CREATED_DATE))
        prop->SetULong(time);
}

void CItemRecord::SetDueDate(DWORD time)
{
    if (CCeDBProp* prop = GetPropFromID(ITEMPROP_DUE_DATE))
        prop->SetULong(time);
}

void CItemRecord::SetBytes(WORD ident, const void* bytes, DWORD size)
{
    if (CCeDBProp* prop = GetPropFromID(ident))
        prop->SetBlob(static_cast<const BYTE*>(bytes), size);
}

void CItemRecord::SetReminder(const ReminderSpec& spec) { SetBytes(ITEMPROP_REMINDER, &spec, sizeof spec); }
void CItemRecord::SetAlarmTime(const SYSTEMTIME& time) { SetBytes(ITEMPROP_ALARM_TIME, &time, sizeof time); }
void CItemRecord::SetSnooze(const ReminderSpec& spec) { SetBytes(ITEMPROP_SNOOZE, &spec, sizeof spec); }

BOOL CItemRecord::GetColumnText(int column, CString& text) const
{
    switch (column) {
    case ITEMFIELD_TYPE:
        text.LoadString(GetType() == ITEM_IOU ? IDS_IOU : IDS_UOME);
        return TRUE;
    case ITEMFIELD_CATEGORY:
        text = u"Category";  // the list puts the category's name in its place
        return TRUE;
    case ITEMFIELD_NAME:
        text = GetName();
        return TRUE;
    case ITEMFIELD_RETURNED:
        text = GetReturned() ? u"Yes" : u"No";
        return TRUE;
    case ITEMFIELD_DUE: {
        DWORD due = 0;
        if (GetDueDate(due)) {
            if (due == 0)
                text = u"None";
            else
                FormatDateTime(due, text);
        }
        return TRUE;
    }
    case ITEMFIELD_AMOUNT:
        FormatAmount(GetAmount(), 2, text);
        return TRUE;
    case ITEMFIELD_DESCRIPTION:
        text = GetDescription();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CItemRecord::IsZeroSystemTime(const SYSTEMTIME& time)
{
    static const SYSTEMTIME zero{};
    return std::memcmp(&time, &zero, sizeof time) == 0 ? TRUE : FALSE;
}
