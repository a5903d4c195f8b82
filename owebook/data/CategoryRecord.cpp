#include "owebook/data/CategoryRecord.h"

namespace {

// Only "TRUE" exactly, after leading blanks, is true: " TRUE" yes, "True" and "TRUE " no.
BOOL ParseFlag(const CString& text)
{
    CString flag(text);
    flag.TrimLeft();
    return flag == u"TRUE" ? TRUE : FALSE;
}

}  // namespace

CCategoryRecord::CCategoryRecord() { AddProp(CCeDBProp(CCeDBProp::Type_Bool, CATPROP_ISMONEY)); }

CCategoryRecord::CCategoryRecord(LPCWSTR name, BOOL isMoney) : CNamedRecord(name)
{
    AddProp(CCeDBProp(CCeDBProp::Type_Bool, CATPROP_ISMONEY));
    SetIsMoney(isMoney);
}

CCategoryRecord::~CCategoryRecord() = default;

void CCategoryRecord::SetField(int column, const CString& text)
{
    switch (column) {
    case 1:
        SetIsMoney(ParseFlag(text));
        break;
    case 2:
        SetActive(ParseFlag(text));
        break;
    default:
        CNamedRecord::SetField(column, text);
        break;
    }
}

BOOL CCategoryRecord::GetIsMoney() const { return GetFlag(CATPROP_ISMONEY); }
void CCategoryRecord::SetIsMoney(BOOL isMoney) { SetFlag(CATPROP_ISMONEY, isMoney); }
