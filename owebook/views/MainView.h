#pragma once
// The program's only view: the form 146 with the mode title, the category
// selector, the item list and the totals line. Items are created through it
// (the new-document command reaches it as update hint 1 or through the
// document's own call of RunItemEditor).

#include "owebook/data/ItemRecord.h"
#include "platform/framework/CFormView.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/listview/CListCtrl.h"
#include "platform/ui/controls/static/CStatic.h"

class COwebookDoc;

// Item editor results.
constexpr int EDITOR_OK = 1;
constexpr int EDITOR_CANCELLED = 2;
constexpr int EDITOR_DELETE = 1172;

// Update hint: the document asks the view for a new item.
constexpr LPARAM HINT_NEW_ITEM = 1;

class CMainView : public CFormView {
    DECLARE_DYNCREATE(CMainView)
public:
    ~CMainView() override;

    COwebookDoc* GetDocument() const;

    // Runs the item editor on `item`; its result (EDITOR_OK, EDITOR_DELETE or
    // a cancel). bCategoriesEdited: whether the user changed the categories.
    virtual int RunItemEditor(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited);
    // Asks the user for a new item and stores it; the editor's result.
    virtual int NewItem();
    // Reads the list anew from the document; the re-selected row or -1.
    virtual int RefillList();

    CStatic m_staticTotals;
    CStatic m_staticTitle;
    CComboBox m_comboCategory;
    CListCtrl m_listItems;
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
};
