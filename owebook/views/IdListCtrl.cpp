#include "owebook/views/IdListCtrl.h"

CIdListCtrl::CIdListCtrl() = default;

CIdListCtrl::~CIdListCtrl() { m_mapKeyToId.clear(); }

void CIdListCtrl::InitKeyMap(int nExpectedRows)
{
    if (nExpectedRows > 0)
        m_mapKeyToId.reserve(static_cast<std::size_t>(nExpectedRows * 1.2));
}

BOOL CIdListCtrl::DeleteRow(int nRow)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return FALSE;
    m_mapKeyToId.erase(GetItemKey(nRow));
    return DeleteItem(nRow);
}

BOOL CIdListCtrl::DeleteAllRows()
{
    m_mapKeyToId.clear();
    return DeleteAllItems();
}

int CIdListCtrl::InsertItemWithId(CEOID id, int nIndex, LPCWSTR lpszText)
{
    const int row = InsertItem(nIndex, lpszText);
    if (row < 0)
        return -1;
    // The smallest free key not below the row count: unique, and cheap to find.
    DWORD key = static_cast<DWORD>(GetItemCount());
    while (key != ROW_NO_KEY && m_mapKeyToId.count(key))
        ++key;
    SetItemData(row, MakeRowData(key, static_cast<DWORD>(row)));
    m_mapKeyToId[key] = id;
    return row;
}

CEOID CIdListCtrl::GetRowId(int nRow) const
{
    if (nRow < 0 || nRow >= GetItemCount())
        return 0;
    const auto found = m_mapKeyToId.find(GetItemKey(nRow));
    return found != m_mapKeyToId.end() ? found->second : 0;
}

int CIdListCtrl::FindRowById(CEOID id) const
{
    if (m_mapKeyToId.empty())
        return -1;
    DWORD key = 0;
    bool known = false;
    for (const auto& [k, recordId] : m_mapKeyToId) {
        if (recordId == id) {
            key = k;
            known = true;
            break;
        }
    }
    if (!known)
        return -1;
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row) {
        if (GetItemKey(row) == key)
            return row;
    }
    return -1;
}
