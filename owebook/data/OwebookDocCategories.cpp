// The document's category operations, on behalf of its category store.

#include "owebook/data/CategoryIds.h"
#include "owebook/data/CategoryRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/res/Resource.h"
#include "platform/ui/controls/combo/CComboBox.h"

void COwebookDoc::FillCategoryCombo(CComboBox& combo, BOOL withAll)
{
    combo.ResetContent();
    m_categories.FillCombo(combo, withAll);
}

void COwebookDoc::AddAllMoneyEntry(CComboBox& combo)
{
    CString text;
    text.LoadString(IDS_ALL_MONEY);
    m_categories.InsertComboEntry(combo, 0, text, CATEGORY_ALL_MONEY);
}

void COwebookDoc::AddAllCategoriesEntry(CComboBox& combo)
{
    CString text;
    text.LoadString(IDS_ALL_CATEGORIES);
    m_categories.InsertComboEntry(combo, 0, text, CATEGORY_ALL);
}

void COwebookDoc::AddNoCategoryEntry(CComboBox& combo)
{
    CString text;
    text.LoadString(IDS_NO_CATEGORY);
    CString first;
    if (combo.GetCount() > 0)
        combo.GetLBText(0, first);
    if (first == text)
        return;
    m_categories.InsertComboEntry(combo, 0, text, CATEGORY_NONE);
}

BOOL COwebookDoc::GetCategoryName(LONG id, CString& name)
{
    if (id == CATEGORY_NONE) {
        name = u" - ";
        return TRUE;
    }
    if (!m_categories.IsActive(id))
        return FALSE;
    CNamedRecord record;
    if (!m_categories.ReadById(id, record))
        return FALSE;
    name = record.GetName();
    return TRUE;
}

BOOL COwebookDoc::IsMoneyCategory(LONG id)
{
    CCategoryRecord record;
    return m_categories.ReadById(id, record) && record.GetIsMoney();
}

BOOL COwebookDoc::IsCategoryActive(LONG id) { return m_categories.IsActive(id); }

BOOL COwebookDoc::SelectCategory(LONG id)
{
    if (id == CATEGORY_ALL_MONEY) {
        m_nCurrentCategory = CATEGORY_ALL_MONEY;
        return FALSE;
    }
    BOOL edited = m_categories.Select(id);
    // Leaving the editor without a change keeps whatever was in force, "All Money" included.
    if (id != CATEGORY_EDIT || edited)
        m_nCurrentCategory = m_categories.m_nCurrent;
    return edited;
}

LONG COwebookDoc::FindCategoryByName(LPCWSTR name) { return m_categories.FindIdByName(name); }

void COwebookDoc::PurgeCategory(LONG id)
{
    if (id == CATEGORY_ALL || id == CATEGORY_NONE)
        return;
    if (IsCategoryActive(id))
        return;

    // Items still filed under it would lose their way back: adding the name
    // again revives this record and gives them their category again. The one
    // item the caller is about to delete does not count; an item that cannot
    // be read might be filed under it, so it counts.
    CCeDBRecord probe;
    probe.AddProp(CCeDBProp(CCeDBProp::Type_Long, ITEMPROP_CATEGORY));
    int references = 0;
    for (CEOID oid = m_dbItems.SeekFirst(); oid != 0 && references <= 1; oid = m_dbItems.SeekNext()) {
        probe[0]->Empty();
        if (!m_dbItems.ReadCurrRecord(&probe) || (probe[0]->HasValue() && probe[0]->GetLong() == id))
            ++references;
    }
    if (references <= 1)
        CeDeleteRecord(m_categories.GetHandle(), static_cast<CEOID>(id));
}
