#pragma once
// A database of named entries sorted by name (property 101), seeded from a
// "LONGSTRING" default list when it is first created, that fills selectors
// and lists with its active entries. Deleting an entry only marks it
// inactive; adding the same name again can revive it with its old id.

#include "owebook/data/NamedRecord.h"
#include "platform/store/CCeDBDatabase.h"

class CComboBox;
class CListCtrl;

class CNamedDatabase : public CCeDBDatabase {
public:
    CNamedDatabase();
    ~CNamedDatabase() override;

    // Opens the database, creating and seeding it first when it does not
    // exist; `record` is the kind of record it holds. A database is created
    // with all its default entries or not at all. TRUE when it is open.
    BOOL OpenOrCreate(LPCWSTR name, DWORD type, UINT resourceId, CNamedRecord& record);

    // FALSE when an entry could not be added; it stops there.
    virtual BOOL SeedFromResource(UINT resourceId, CNamedRecord& record);
    virtual CEOID AddEntry(LPCWSTR name);
    virtual BOOL DeleteEntry(LONG id);
    virtual void SetActive(LONG id, BOOL active);
    virtual BOOL IsActive(LONG id);
    virtual void FillCombo(CComboBox& combo, BOOL withAll);
    virtual BOOL InsertComboEntry(CComboBox& combo, int index, LPCWSTR text, LONG data);
    virtual void FillList(CListCtrl& list);
    virtual int AddListRow(CListCtrl& list, int index, LPCWSTR name, LONG id);
    virtual BOOL RunEditor();

    BOOL ReadById(LONG id, CNamedRecord& record);
    // TRUE only when the editor ran and changed the entries.
    BOOL Select(LONG id);
    LONG FindIdByName(LPCWSTR name);
    using CCeDBDatabase::AddRecord;
    CEOID AddRecord(CNamedRecord& record) { return CCeDBDatabase::AddRecord(&record); }

    LONG m_nCurrent;
};
