#pragma once
// The categories editor: add a category, delete one, mark one as counting
// money. Every change is stored at once; the dialog only tells whether the
// set of categories changed, so that its callers refill their lists.

#include "platform/ui/CDialog.h"
#include "platform/ui/controls/button/CButton.h"
#include "platform/ui/controls/edit/CEdit.h"
#include "platform/ui/controls/listview/CListCtrl.h"

class CCategoryRecord;
class CCategoryStore;

class CCategoriesDlg : public CDialog {
public:
    explicit CCategoriesDlg(CCategoryStore& store, CWnd* pParent = nullptr);
    ~CCategoriesDlg() override;

    CButton m_checkIsMoney;
    CEdit m_editName;
    CListCtrl m_listCategories;   // each row's item data is its category's record id
    CString m_strName;
    CCategoryStore* m_pStore;
    BOOL m_bChanged;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void OnAdd();
    void OnDelete();
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnIsMoney();
    void OnNameUpdate();
    void OnNameSetFocus();
    void OnNameKillFocus();
    // After Up or Down on the list: the row reached is chosen.
    LRESULT OnListMoved(WPARAM wParam, LPARAM lParam);
    void RowChosen();
    // The selected row, its category's id and record; FALSE when there is
    // no selected row or its record cannot be read.
    BOOL ReadSelected(int& row, LONG& id, CCategoryRecord& record);
    void ClearSelection();
    void SelectRow(int row);
    DECLARE_MESSAGE_MAP()
};
