#pragma once
// The item editor's first page: category, type, name, amount, description.
// It owns the editor's menu bar (Edit and Tools), holds the rule that an item
// needs a name or a description, and leads into the categories editor through
// the last entry of its category list.

#include "owebook/data/ItemRecord.h"
#include "owebook/editor/AmountEdit.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/commandbar/CCeCommandBar.h"
#include "platform/ui/controls/propsheet/CPropertyPage.h"

class CCmdUI;
class COwebookDoc;

class CGeneralPage : public CPropertyPage {
public:
    CGeneralPage(CItemRecord& item, COwebookDoc& doc, BOOL bNewItem);
    ~CGeneralPage() override;

    CAmountEdit m_editAmount;
    CComboBox m_comboName;
    CComboBox m_comboCategory;
    CString m_strName;
    int m_nType;
    CString m_strDescription;
    CItemRecord* m_pItem;
    COwebookDoc* m_pDoc;
    LONG m_nViewCategory;
    CCeCommandBar m_menuBar;
    BOOL m_bCategoriesEdited;
    int m_nLastCategorySel;
    BOOL m_bNewItem;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnApply() override;
    BOOL OnKillActive() override;

    // Fills the category list and selects the item's category.
    void FillCategoryList();

protected:
    void OnCategoryChange();
    void OnOkButton();
    void OnDelete();
    void OnEditCommand(UINT nID);
    void OnSelectAll();
    void OnUpdateCopy(CCmdUI* pCmdUI);
    void OnAmountSetFocus();
    void OnAmountKillFocus();
    // The amount field or the description when it has the focus, else null.
    HWND FocusedEditField() const;
    BOOL NameAndDescriptionEmpty() const { return m_strName.IsEmpty() && m_strDescription.IsEmpty(); }
    DECLARE_MESSAGE_MAP()
};
