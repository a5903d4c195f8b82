#include "owebook/data/FilterRecord.h"

#include <algorithm>
#include <iterator>

CFilterRecord::CFilterRecord()
{
    const CCeDBProp props[] = {
        CCeDBProp(CCeDBProp::Type_Bool, FILTERPROP_RESERVED1),
        CCeDBProp(CCeDBProp::Type_Short, FILTERPROP_MODE),
        CCeDBProp(CCeDBProp::Type_Bool, FILTERPROP_RESERVED2),
        CCeDBProp(CCeDBProp::Type_String, FILTERPROP_RESERVED3),
        CCeDBProp(CCeDBProp::Type_Blob, FILTERPROP_WIDTHS),
    };
    AddProps(props, static_cast<WORD>(std::size(props)));
}

CFilterRecord::~CFilterRecord() = default;

void CFilterRecord::SetDefaults()
{
    SetReserved1(TRUE);
    SetMode(0);
    SetReserved2(TRUE);
    SetReserved3(u"");
    const SHORT none[FILTER_FIELDS] = {};
    SetWidths(none);
}

const CCeDBProp* CFilterRecord::ValueOf(WORD ident) const
{
    const CCeDBProp* prop = GetPropFromID(ident);
    return prop && prop->HasValue() ? prop : nullptr;
}

BOOL CFilterRecord::GetReserved1() const
{
    const CCeDBProp* prop = ValueOf(FILTERPROP_RESERVED1);
    return prop ? prop->GetBool() : FALSE;
}

SHORT CFilterRecord::GetMode() const
{
    const CCeDBProp* prop = ValueOf(FILTERPROP_MODE);
    return prop ? prop->GetShort() : 0;
}

BOOL CFilterRecord::GetReserved2() const
{
    const CCeDBProp* prop = ValueOf(FILTERPROP_RESERVED2);
    return prop ? prop->GetBool() : FALSE;
}

CString CFilterRecord::GetReserved3() const
{
    const CCeDBProp* prop = ValueOf(FILTERPROP_RESERVED3);
    return prop ? CString(prop->GetString(), prop->GetStringLength()) : CString();
}

void CFilterRecord::SetReserved1(BOOL value)
{
    if (CCeDBProp* prop = GetPropFromID(FILTERPROP_RESERVED1))
        prop->SetBool(value);
}

void CFilterRecord::SetMode(SHORT mode)
{
    if (CCeDBProp* prop = GetPropFromID(FILTERPROP_MODE))
        prop->SetShort(mode);
}

void CFilterRecord::SetReserved2(BOOL value)
{
    if (CCeDBProp* prop = GetPropFromID(FILTERPROP_RESERVED2))
        prop->SetBool(value);
}

void CFilterRecord::SetReserved3(LPCWSTR value)
{
    if (CCeDBProp* prop = GetPropFromID(FILTERPROP_RESERVED3))
        prop->SetString(value);
}

void CFilterRecord::SetWidths(const SHORT widths[FILTER_FIELDS])
{
    BYTE bytes[FILTER_FIELDS * 2];
    for (int f = 0; f < FILTER_FIELDS; ++f) {
        const auto value = static_cast<WORD>(widths[f]);
        bytes[2 * f] = static_cast<BYTE>(value & 0xFF);
        bytes[2 * f + 1] = static_cast<BYTE>(value >> 8);
    }
    if (CCeDBProp* prop = GetPropFromID(FILTERPROP_WIDTHS))
        prop->SetBlob(bytes, sizeof bytes);
}

void CFilterRecord::GetWidths(SHORT widths[FILTER_FIELDS]) const
{
    std::fill(widths, widths + FILTER_FIELDS, SHORT(0));
    const CCeDBProp* prop = ValueOf(FILTERPROP_WIDTHS);
    if (!prop)
        return;
    const CEBLOB blob = prop->GetBlob();
    const DWORD count = std::min<DWORD>(blob.dwCount, FILTER_FIELDS * 2);
    for (DWORD i = 0; i + 1 < count; i += 2)
        widths[i / 2] = static_cast<SHORT>(blob.lpb[i] | (blob.lpb[i + 1] << 8));
}

BOOL CFilterRecord::IsFieldShown(int field) const
{
    if (field < 0 || field >= FILTER_FIELDS)
        return FALSE;
    SHORT widths[FILTER_FIELDS];
    GetWidths(widths);
    return widths[field] > 0 ? TRUE : FALSE;
}
