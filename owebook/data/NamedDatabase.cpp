#include "owebook/data/NamedDatabase.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CsvReader.h"
#include "platform/core/CodePage.h"
#include "platform/store/CCeDBTransaction.h"
#include "platform/ui/Resources.h"

#include <vector>

CNamedDatabase::CNamedDatabase() : m_nCurrent(CATEGORY_ALL) {}

CNamedDatabase::~CNamedDatabase() = default;

BOOL CNamedDatabase::OpenOrCreate(LPCWSTR name, DWORD type, UINT resourceId, CNamedRecord& record)
{
    const CCeDBProp* nameProp = record.GetPropFromID(NAMEPROP_NAME);
    SORTORDERSPEC sort{nameProp ? nameProp->GetPropID() : MAKEPROP(NAMEPROP_NAME, CEVT_LPWSTR), 0};
    m_nCurrent = CATEGORY_ALL;
    if (Exists(name))
        return Open(name, &sort);

    // A database left with part of its defaults would keep only that part.
    CCeDBTransaction creation;
    if (creation.IsOpen() && Create(name, type, 1, &sort) && Open(name, &sort) &&
        SeedFromResource(resourceId, record) && creation.Commit())
        return TRUE;
    creation.Rollback();
    Close();
    return FALSE;
}

BOOL CNamedDatabase::SeedFromResource(UINT resourceId, CNamedRecord& record)
{
    if (resourceId == 0)
        return TRUE;
    // No module handle: the program's own resources.
    HRSRC hInfo = FindResourceW(nullptr, MAKEINTRESOURCE(resourceId), u"LONGSTRING");
    if (!hInfo)
        return TRUE;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, hInfo)));
    DWORD size = data ? SizeofResource(nullptr, hInfo) : 0;

    // Single-byte text up to its zero, never past the resource's end.
    int length = 0;
    while (static_cast<DWORD>(length) < size && data[length] != 0)
        ++length;
    CString text;
    if (length > 0) {
        std::vector<WCHAR> wide(static_cast<size_t>(length));
        int got = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(data), length, wide.data(), length);
        text = CString(wide.data(), got);
    }

    CCsvReader reader(text);
    // The same record for every line: a short line keeps the values of the one before.
    do {
        int column = 0;
        CString field;
        do {
            reader.GetField(field);
            record.SetField(column++, field);
        } while (reader.NextField());
        if (AddRecord(record) == 0)
            return FALSE;
    } while (reader.NextLine());
    return TRUE;
}

CEOID CNamedDatabase::AddEntry(LPCWSTR name)
{
    CNamedRecord record(name);
    return AddRecord(record);
}

BOOL CNamedDatabase::DeleteEntry(LONG id)
{
    if (!SeekFirst() || !SeekToRecord(static_cast<CEOID>(id)))
        return FALSE;
    CNamedRecord record;
    if (!ReadCurrRecord(&record))
        return FALSE;
    record.SetActive(FALSE);
    return WriteCurrRecord(&record);
}

void CNamedDatabase::SetActive(LONG id, BOOL active)
{
    CNamedRecord record;
    if (!ReadById(id, record))
        return;
    record.SetActive(active);
    WriteCurrRecord(&record);
}

BOOL CNamedDatabase::IsActive(LONG id)
{
    CNamedRecord record;
    return ReadById(id, record) && record.GetActive();
}

BOOL CNamedDatabase::RunEditor() { return FALSE; }

BOOL CNamedDatabase::ReadById(LONG id, CNamedRecord& record)
{
    if (!IsRealCategoryId(id))
        return FALSE;
    return SeekToRecord(static_cast<CEOID>(id)) && ReadCurrRecord(&record);
}

BOOL CNamedDatabase::Select(LONG id)
{
    if (id == CATEGORY_ALL || id == CATEGORY_NONE) {
        m_nCurrent = id;
        return FALSE;
    }
    if (id == CATEGORY_EDIT) {
        if (!RunEditor())
            return FALSE;
        m_nCurrent = CATEGORY_ALL;
        return TRUE;
    }
    m_nCurrent = SeekToRecord(static_cast<CEOID>(id)) ? id : CATEGORY_ALL;
    return FALSE;
}

LONG CNamedDatabase::FindIdByName(LPCWSTR name)
{
    CCeDBProp key(name, NAMEPROP_NAME);
    CNamedRecord record;
    for (CEOID oid = SeekFirstEqual(key); oid != 0; oid = SeekNextEqual(key)) {
        if (ReadCurrRecord(&record) && record.GetActive())
            return static_cast<LONG>(oid);
    }
    return 0;
}
