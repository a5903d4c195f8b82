#pragma once
// A sortable list whose rows stand for database records: each row carries a
// key, and the key maps to the record's object id, so rows are found by id
// however they have been sorted.

#include "owebook/views/SortListCtrl.h"
#include "platform/store/CeDB.h"

#include <unordered_map>

class CIdListCtrl : public CSortListCtrl {
public:
    CIdListCtrl();
    ~CIdListCtrl() override;

    virtual void InitKeyMap(int nExpectedRows);
    virtual BOOL DeleteRow(int nRow);
    virtual BOOL DeleteAllRows();
    // A row for record id at nIndex with the text; the row or -1.
    virtual int InsertItemWithId(CEOID id, int nIndex, LPCWSTR lpszText);
    // 0 when the row carries no known key.
    virtual CEOID GetRowId(int nRow) const;
    virtual int FindRowById(CEOID id) const;

    std::unordered_map<DWORD, CEOID> m_mapKeyToId;
};
