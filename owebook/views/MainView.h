#pragma once
// The program's only view: the form 146 with the mode title, the category
// selector, the item list and the totals line. It keeps no items, only the
// record id of each row: every refill reads the items anew. Each mode has its
// own column layout in "OwebookFilter" (MainViewFilter.cpp).

#include "owebook/data/FilterRecord.h"
#include "owebook/data/ItemRecord.h"
#include "owebook/views/MainListCtrl.h"
#include "platform/framework/CFormView.h"
#include "platform/gdi/CFont.h"
#include "platform/store/CCeDBDatabase.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/static/CStatic.h"

#include <unordered_map>

class COwebookDoc;

// Item editor results.
constexpr int EDITOR_OK = 1;
constexpr int EDITOR_CANCELLED = 2;
constexpr int EDITOR_DELETE = 1172;

// Update hint: the document asks the view for a new item.
constexpr LPARAM HINT_NEW_ITEM = 1;

// View modes; a mode's number is also its record's position in "OwebookFilter".
constexpr int MODE_ALL_ITEMS = 0;
constexpr int MODE_WHAT_I_OWE = 1;
constexpr int MODE_OWED_TO_ME = 2;
constexpr int MODE_WHATS_DUE = 3;
constexpr int MODE_COUNT = 4;

class CMainView : public CFormView {
    DECLARE_DYNCREATE(CMainView)
public:
    ~CMainView() override;

    COwebookDoc* GetDocument() const;

    // Runs the item editor on `item`; its result (EDITOR_OK, EDITOR_DELETE or
    // a cancel). bCategoriesEdited: whether the user changed the categories.
    virtual int RunItemEditor(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited);
    // Shows the home screen; the mode the user picked.
    virtual int ShowHomeScreen();
    // Asks the user for a new item and stores it; the editor's result.
    virtual int NewItem();
    // Reads the list anew from the document; the re-selected row or -1.
    virtual int RefillList();

    void SwitchMode(int nMode);
    BOOL PassesFilter(const CItemRecord& item);
    void UpdateTotals();
    void FillCategorySelector();
    void OnCategorySelChange();
    void EditRow(int nRow);
    void FollowItemCategory(const CItemRecord& item);
    int InsertItemRow(CEOID id, int nIndex, const CItemRecord& item);
    void SetRowTexts(int nRow, const CItemRecord& item);

    // The filter database (MainViewFilter.cpp).
    BOOL OpenFilterDatabase();
    BOOL LoadFilterRecord(int nMode);
    void RebuildColumns();
    void SaveColumnWidths();

    CStatic m_staticTotals;
    CStatic m_staticTitle;
    CComboBox m_comboCategory;
    CMainListCtrl m_listItems;
    CCeDBDatabase m_dbFilter;
    CFilterRecord m_recFilter;
    int m_nMode;
    int m_nLastCategorySel;
    SHORT m_nColumnWidth[FILTER_FIELDS];
    // Activating the view refills the list only while this is TRUE.
    BOOL m_bAutoRefresh;
    // TRUE until the view is first activated after an initial update.
    BOOL m_bFreshlyFilled;

    void OnInitialUpdate() override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

protected:
    CMainView();
    void DoDataExchange(CDataExchange* pDX) override;

    void OnViewAllItems();
    void OnViewWhatIOwe();
    void OnViewOwedToMe();
    void OnViewWhatsDue();
    void OnViewHome();
    void OnNewItem();
    void OnEditCategories();
    void OnOpenItem();
    void OnReset();
    void OnClickList(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCategoryKillFocus();
    void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    // What a refill needs to know of a category, asked of the store once per refill.
    struct CategoryFacts {
        BOOL bHasName = FALSE;
        CString strName;
        BOOL bMoney = FALSE;
        BOOL bActive = FALSE;
    };
    const CategoryFacts& FactsOf(LONG id);
    void BringIntoView(int nRow);

    CFont m_fontTotals;
    std::unordered_map<LONG, CategoryFacts> m_categoryFacts;   // only during a refill
    BOOL m_bFilling = FALSE;
    CEOID m_idSelectedBeforeSwitch = 0;   // the row to select again once a mode switch has refilled
};
