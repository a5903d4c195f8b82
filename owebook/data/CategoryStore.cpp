#include "owebook/data/CategoryStore.h"

#include "owebook/data/OwebookDoc.h"
#include "owebook/editor/CategoriesDlg.h"
#include "platform/ui/controls/listview/CListCtrl.h"

CCategoryStore::CCategoryStore() : m_pDoc(nullptr) {}

CCategoryStore::~CCategoryStore() = default;

int CCategoryStore::AddListRow(CListCtrl& list, int index, LPCWSTR name, LONG id)
{
    if (!IsActive(id))
        return -1;
    if (index < 0)
        index = list.GetItemCount();
    int row = list.InsertItem(index, name);
    if (row < 0)
        return -1;
    list.SetItemData(row, static_cast<DWORD_PTR>(id));
    list.SetItemText(row, 1, m_pDoc && m_pDoc->IsMoneyCategory(id) ? u"Yes" : u"No");
    return row;
}

BOOL CCategoryStore::RunEditor()
{
    CCategoriesDlg dlg(*this);
    dlg.DoModal();
    return dlg.m_bChanged;
}

void CCategoryStore::SetDocument(COwebookDoc* pDoc) { m_pDoc = pDoc; }
