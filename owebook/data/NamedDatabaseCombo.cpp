// Filling selectors from a named database.

#include "owebook/data/CategoryIds.h"
#include "owebook/data/NamedDatabase.h"
#include "platform/ui/controls/combo/CComboBox.h"

void CNamedDatabase::FillCombo(CComboBox& combo, BOOL withAll)
{
    int added = 0;
    if (withAll && InsertComboEntry(combo, 0, u"All Categories", CATEGORY_ALL))
        ++added;

    CNamedRecord record;
    for (CEOID oid = SeekFirst(); oid != 0; oid = SeekNext()) {
        if (!ReadCurrRecord(&record) || !record.GetActive())
            continue;
        int index = combo.AddString(record.GetName());
        if (index < 0)
            continue;
        combo.SetItemData(index, static_cast<DWORD_PTR>(static_cast<LONG>(oid)));
        ++added;
    }

    InsertComboEntry(combo, added, u"Edit Categories...", CATEGORY_EDIT);
    combo.SetCurSel(0);
}

BOOL CNamedDatabase::InsertComboEntry(CComboBox& combo, int index, LPCWSTR text, LONG data)
{
    int inserted = combo.InsertString(index, text);
    if (inserted < 0)
        return FALSE;
    combo.SetItemData(inserted, static_cast<DWORD_PTR>(data));
    return TRUE;
}
