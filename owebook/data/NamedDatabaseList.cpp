// Filling list controls from a named database.

#include "owebook/data/NamedDatabase.h"
#include "platform/ui/controls/listview/CListCtrl.h"

void CNamedDatabase::FillList(CListCtrl& list)
{
    list.DeleteAllItems();
    CNamedRecord record;
    int index = 0;
    for (CEOID oid = SeekFirst(); oid != 0; oid = SeekNext()) {
        if (!ReadCurrRecord(&record))
            continue;
        AddListRow(list, index++, record.GetName(), static_cast<LONG>(oid));
    }
}

int CNamedDatabase::AddListRow(CListCtrl& list, int index, LPCWSTR name, LONG id)
{
    if (!IsActive(id))
        return -1;
    int row = list.InsertItem(index, name);
    if (row >= 0)
        list.SetItemData(row, static_cast<DWORD_PTR>(id));
    return row;
}
