#include "owebook/views/MainView.h"

#include "owebook/app/AppIds.h"
#include "owebook/data/OwebookDoc.h"
#include "platform/ui/CDataExchange.h"

namespace {

constexpr int IDC_MAIN_TOTALS = 1164;
constexpr int IDC_MAIN_TITLE = 1124;
constexpr int IDC_MAIN_CATEGORY = 1125;
constexpr int IDC_MAIN_LIST = 1073;

}  // namespace

IMPLEMENT_DYNCREATE(CMainView, CFormView)

CMainView::CMainView() : CFormView(IDD_MAIN_FORM), m_bAutoRefresh(TRUE), m_bFreshlyFilled(TRUE) {}

CMainView::~CMainView() = default;

COwebookDoc* CMainView::GetDocument() const { return dynamic_cast<COwebookDoc*>(m_pDocument); }

void CMainView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIN_TOTALS, m_staticTotals);
    DDX_Control(pDX, IDC_MAIN_TITLE, m_staticTitle);
    DDX_Control(pDX, IDC_MAIN_CATEGORY, m_comboCategory);
    DDX_Control(pDX, IDC_MAIN_LIST, m_listItems);
}

void CMainView::OnInitialUpdate()
{
    m_bFreshlyFilled = TRUE;
    // The modal home screen deactivates and reactivates the view: no refill meanwhile.
    m_bAutoRefresh = FALSE;
    CFormView::OnInitialUpdate();
    m_listItems.SetExtendedStyle(m_listItems.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    // The form fits the screen: it never scrolls.
    SetScrollSizes(MM_TEXT, CSize(10, 10));
    m_comboCategory.SetExtendedUI(TRUE);
    m_bAutoRefresh = TRUE;
}

void CMainView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (bActivate) {
        if (!m_bFreshlyFilled && m_bAutoRefresh)
            RefillList();
        m_bFreshlyFilled = FALSE;
    }
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CMainView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == HINT_NEW_ITEM) {
        NewItem();
        return;
    }
    CFormView::OnUpdate(pSender, lHint, pHint);
}

// Until the item editor exists, every edit is cancelled.
int CMainView::RunItemEditor(CItemRecord&, BOOL, BOOL& bCategoriesEdited)
{
    bCategoriesEdited = FALSE;
    return EDITOR_CANCELLED;
}

int CMainView::NewItem()
{
    CItemRecord item;
    item.SetDefaults();
    m_bAutoRefresh = FALSE;
    BOOL bCategoriesEdited = FALSE;
    const int nResult = RunItemEditor(item, TRUE, bCategoriesEdited);
    if (nResult == EDITOR_OK) {
        CEOID oid = 0;
        if (COwebookDoc* pDoc = GetDocument(); pDoc && pDoc->AddItem(item, oid))
            RefillList();
    } else if (bCategoriesEdited) {
        RefillList();
    }
    m_bAutoRefresh = TRUE;
    return nResult;
}

// The list is filled once the item lists exist.
int CMainView::RefillList() { return -1; }
