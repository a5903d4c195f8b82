#include "owebook/data/NamedRecord.h"

CNamedRecord::CNamedRecord()
{
    AddProp(CCeDBProp(CCeDBProp::Type_String, NAMEPROP_NAME));
    AddProp(CCeDBProp(CCeDBProp::Type_Bool, NAMEPROP_ACTIVE));
}

CNamedRecord::CNamedRecord(LPCWSTR name) : CNamedRecord()
{
    SetName(name);
    SetActive(TRUE);
}

CNamedRecord::~CNamedRecord() = default;

void CNamedRecord::SetField(int column, const CString& text)
{
    if (column == 0)
        SetName(text);
}

CString CNamedRecord::GetName() const
{
    const CCeDBProp* prop = GetPropFromID(NAMEPROP_NAME);
    return prop && prop->HasValue() ? CString(prop->GetString(), prop->GetStringLength()) : CString();
}

void CNamedRecord::SetName(LPCWSTR name)
{
    if (CCeDBProp* prop = GetPropFromID(NAMEPROP_NAME))
        prop->SetString(name);
}

BOOL CNamedRecord::GetActive() const { return GetFlag(NAMEPROP_ACTIVE); }
void CNamedRecord::SetActive(BOOL active) { SetFlag(NAMEPROP_ACTIVE, active); }

BOOL CNamedRecord::GetFlag(WORD ident) const
{
    const CCeDBProp* prop = GetPropFromID(ident);
    return prop && prop->HasValue() && prop->GetBool() ? TRUE : FALSE;
}

void CNamedRecord::SetFlag(WORD ident, BOOL flag)
{
    if (CCeDBProp* prop = GetPropFromID(ident))
        prop->SetBool(flag);
}
