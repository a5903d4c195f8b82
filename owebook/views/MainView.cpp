#include "owebook/views/MainView.h"

#include "owebook/app/AppIds.h"
#include "owebook/data/CategoryIds.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/editor/EditorIds.h"
#include "owebook/editor/ItemSheet.h"
#include "owebook/views/HomeDlg.h"
#include "owebook/res/Resource.h"
#include "platform/core/Time.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/WinApi.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CMainView, CFormView)
    ON_COMMAND(ID_VIEW_ALL_ITEMS, OnViewAllItems)
    ON_COMMAND(ID_VIEW_WHAT_I_OWE, OnViewWhatIOwe)
    ON_COMMAND(ID_VIEW_OWED_TO_ME, OnViewOwedToMe)
    ON_COMMAND(ID_VIEW_WHATS_DUE, OnViewWhatsDue)
    ON_COMMAND(ID_VIEW_HOME, OnViewHome)
    ON_COMMAND(ID_VIEW_NEW_ITEM, OnNewItem)
    ON_COMMAND(ID_TOOLS_EDIT_CATEGORIES, OnEditCategories)
    ON_COMMAND(IDC_VIEW_OPEN, OnOpenItem)
    ON_COMMAND(ID_VIEW_RESET, OnReset)
    ON_NOTIFY(NM_CLICK, IDC_VIEW_LIST, OnClickList)
    ON_CBN_SELCHANGE(IDC_VIEW_CATEGORY, OnCategorySelChange)
    ON_CBN_KILLFOCUS(IDC_VIEW_CATEGORY, OnCategoryKillFocus)
    ON_WM_SETTINGCHANGE()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CMainView, CFormView)

CMainView::CMainView()
    : CFormView(IDD_MAIN_FORM), m_nMode(MODE_ALL_ITEMS), m_nLastCategorySel(0), m_nColumnWidth{},
      m_bAutoRefresh(TRUE), m_bFreshlyFilled(TRUE)
{
}

CMainView::~CMainView() { m_dbFilter.Close(); }

COwebookDoc* CMainView::GetDocument() const { return dynamic_cast<COwebookDoc*>(m_pDocument); }

void CMainView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VIEW_TOTALS, m_staticTotals);
    DDX_Control(pDX, IDC_VIEW_TITLE, m_staticTitle);
    DDX_Control(pDX, IDC_VIEW_CATEGORY, m_comboCategory);
    DDX_Control(pDX, IDC_VIEW_LIST, m_listItems);
}

// --- framework -------------------------------------------------------------------

void CMainView::OnInitialUpdate()
{
    m_bFreshlyFilled = TRUE;
    // The modal home screen deactivates and reactivates the view: no refill meanwhile.
    m_bAutoRefresh = FALSE;
    // Opened once the document stands: a store that cannot be opened at all
    // is reported once, by the document, and the program ends without a window.
    if (!m_dbFilter.IsOpen())
        OpenFilterDatabase();
    const int nMode = ShowHomeScreen();
    CFormView::OnInitialUpdate();
    m_listItems.SetExtendedStyle(m_listItems.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    // The form fits the screen: it never scrolls.
    SetScrollSizes(MM_TEXT, CSize(10, 10));
    m_comboCategory.SetExtendedUI(TRUE);
    FillCategorySelector();
    m_nMode = MODE_ALL_ITEMS;
    LoadFilterRecord(MODE_ALL_ITEMS);
    m_recFilter.GetWidths(m_nColumnWidth);
    SwitchMode(nMode);
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

int CMainView::RunItemEditor(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited)
{
    bCategoriesEdited = FALSE;
    COwebookDoc* pDoc = GetDocument();
    if (!pDoc)
        return EDITOR_CANCELLED;
    const int nResult = RunItemSheet(this, item, *pDoc, bNewItem, bCategoriesEdited);
    // A category the selector still offers may be gone or renamed.
    if (bCategoriesEdited)
        FillCategorySelector();
    static_assert(ITEM_SHEET_OK == EDITOR_OK && ITEM_SHEET_DELETE == EDITOR_DELETE);
    return nResult == EDITOR_OK || nResult == EDITOR_DELETE ? nResult : EDITOR_CANCELLED;
}

int CMainView::ShowHomeScreen()
{
    CHomeDlg dlg(this);
    dlg.DoModal();
    return dlg.m_nMode;
}

// --- modes ---------------------------------------------------------------------------

void CMainView::SwitchMode(int nMode)
{
    m_nMode = nMode;
    // The database still stands on the record of the mode being left.
    SaveColumnWidths();
    LoadFilterRecord(nMode);
    CString title;
    title.LoadString(IDS_TITLE_FIRST + static_cast<UINT>(nMode));
    m_staticTitle.SetWindowText(title);
    // The rows go before the columns change: moving every row's texts across
    // columns about to be refilled anyway was a third of a mode switch.
    if (const int selected = m_listItems.GetNextItem(-1, LVNI_SELECTED); selected >= 0)
        m_idSelectedBeforeSwitch = m_listItems.GetRowId(selected);
    m_listItems.DeleteAllRows();
    RebuildColumns();
    RefillList();
    m_idSelectedBeforeSwitch = 0;
}

void CMainView::OnViewAllItems() { SwitchMode(MODE_ALL_ITEMS); }
void CMainView::OnViewWhatIOwe() { SwitchMode(MODE_WHAT_I_OWE); }
void CMainView::OnViewOwedToMe() { SwitchMode(MODE_OWED_TO_ME); }
void CMainView::OnViewWhatsDue() { SwitchMode(MODE_WHATS_DUE); }

void CMainView::OnViewHome() { SwitchMode(ShowHomeScreen()); }

// --- the list --------------------------------------------------------------------------

const CMainView::CategoryFacts& CMainView::FactsOf(LONG id)
{
    static CategoryFacts scratch;
    auto found = m_bFilling ? m_categoryFacts.find(id) : m_categoryFacts.end();
    if (found != m_categoryFacts.end())
        return found->second;
    CategoryFacts facts;
    COwebookDoc* pDoc = GetDocument();
    if (pDoc) {
        facts.bHasName = pDoc->GetCategoryName(id, facts.strName);
        facts.bMoney = pDoc->IsMoneyCategory(id);
        facts.bActive = pDoc->IsCategoryActive(id);
    }
    if (!m_bFilling) {
        scratch = facts;
        return scratch;
    }
    return m_categoryFacts.emplace(id, facts).first->second;
}

int CMainView::RefillList()
{
    CEOID selectedId = m_idSelectedBeforeSwitch;
    if (const int selected = m_listItems.GetNextItem(-1, LVNI_SELECTED); selected >= 0)
        selectedId = m_listItems.GetRowId(selected);

    m_listItems.DeleteAllRows();
    if (COwebookDoc* pDoc = GetDocument()) {
        m_bFilling = TRUE;
        m_categoryFacts.clear();
        CItemRecord item;
        for (CEOID id = pDoc->ReadFirstItem(item); id != 0; id = pDoc->ReadNextItem(item)) {
            if (PassesFilter(item))
                InsertItemRow(id, m_listItems.GetItemCount(), item);
        }
        m_categoryFacts.clear();
        m_bFilling = FALSE;
    }
    m_listItems.SortItems(m_listItems.m_nSortColumn, m_listItems.m_bAscending);
    m_listItems.FitLastColumn(20, -1);
    m_listItems.SetFocus();

    int row = -1;
    if (selectedId != 0 && (row = m_listItems.FindRowById(selectedId)) >= 0)
        m_listItems.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    UpdateTotals();
    return row;
}

BOOL CMainView::PassesFilter(const CItemRecord& item)
{
    switch (m_recFilter.GetMode()) {
    case MODE_ALL_ITEMS:
        break;
    case MODE_WHAT_I_OWE:
    case MODE_OWED_TO_ME:
        if (item.GetType() != m_recFilter.GetMode())
            return FALSE;
        break;
    case MODE_WHATS_DUE: {
        DWORD due = 0;
        item.GetDueDate(due);
        const DWORD now = time32(nullptr);
        if (item.GetReturned() || due == 0 || due >= now)
            return FALSE;
        break;
    }
    default:
        return FALSE;
    }

    COwebookDoc* pDoc = GetDocument();
    const LONG current = pDoc ? pDoc->GetCurrentCategory() : CATEGORY_ALL;
    const LONG category = item.GetCategory();
    switch (current) {
    case CATEGORY_ALL:
        return TRUE;
    case CATEGORY_ALL_MONEY:
        return FactsOf(category).bMoney;
    case CATEGORY_NONE:
        return category == CATEGORY_NONE || !FactsOf(category).bActive;
    default:
        return category == current;
    }
}

int CMainView::InsertItemRow(CEOID id, int nIndex, const CItemRecord& item)
{
    const int row = m_listItems.InsertItemWithId(id, nIndex, u"*");
    if (row >= 0)
        SetRowTexts(row, item);
    return row;
}

void CMainView::SetRowTexts(int nRow, const CItemRecord& item)
{
    int column = 0;
    for (int f = 0; f < FILTER_FIELDS; ++f) {
        if (m_nColumnWidth[f] <= 0)
            continue;
        CString text;
        switch (f) {
        case ITEMFIELD_TYPE:
            text.LoadString(item.GetType() == ITEM_IOU ? IDS_IOU : IDS_UOME);
            break;
        case ITEMFIELD_CATEGORY: {
            // An id that names no active category shows nothing.
            const CategoryFacts& facts = FactsOf(item.GetCategory());
            if (facts.bHasName)
                text = facts.strName;
            break;
        }
        default:
            item.GetColumnText(f, text);
            break;
        }
        m_listItems.SetItemText(nRow, column++, text);
    }
}

void CMainView::UpdateTotals()
{
    COwebookDoc* pDoc = GetDocument();
    CString text;
    if (!pDoc || pDoc->GetCurrentCategory() == CATEGORY_ALL) {
        text.LoadString(IDS_TOTAL_CHOOSE);
    } else {
        double iou = 0.0;
        double uome = 0.0;
        const int rows = m_listItems.GetItemCount();
        CItemRecord item;
        for (int row = 0; row < rows; ++row) {
            const CEOID id = m_listItems.GetRowId(row);
            if (id == 0 || !pDoc->ReadItem(id, item))
                continue;
            (item.GetType() == ITEM_IOU ? iou : uome) += item.GetAmount();
        }
        CString format;
        format.LoadString(IDS_TOTAL_FORMAT);
        text.Format(format.GetString(), iou - uome);
    }
    m_staticTotals.SetWindowText(text);
}

void CMainView::BringIntoView(int nRow)
{
    if (nRow >= 0)
        m_listItems.EnsureVisible(nRow, FALSE);
}

// --- the category selector ----------------------------------------------------------------

void CMainView::FillCategorySelector()
{
    COwebookDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    pDoc->FillCategoryCombo(m_comboCategory, FALSE);
    pDoc->AddNoCategoryEntry(m_comboCategory);
    pDoc->AddAllMoneyEntry(m_comboCategory);
    pDoc->AddAllCategoriesEntry(m_comboCategory);
    m_nLastCategorySel = 0;
    m_comboCategory.SetCurSel(0);
}

void CMainView::OnCategorySelChange()
{
    COwebookDoc* pDoc = GetDocument();
    int selected = m_comboCategory.GetCurSel();
    if (!pDoc || selected == m_nLastCategorySel)
        return;
    const auto data = static_cast<LONG>(m_comboCategory.GetItemData(selected));
    if (pDoc->SelectCategory(data)) {
        FillCategorySelector();
        m_nLastCategorySel = 0;
    } else {
        // "Edit Categories..." without a change: the entry in force comes back.
        if (selected == m_comboCategory.GetCount() - 1) {
            m_comboCategory.SetCurSel(m_nLastCategorySel);
            selected = m_nLastCategorySel;
        }
        m_nLastCategorySel = selected;
    }
    RefillList();
}

void CMainView::OnCategoryKillFocus() { m_comboCategory.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(-1, 0)); }

void CMainView::OnEditCategories()
{
    m_comboCategory.SetCurSel(m_comboCategory.GetCount() - 1);
    OnCategorySelChange();
}

// The entry whose item data is the category id: a text search could land on
// "All Money" for a category named "All". A category that is gone is shown
// under "No Category", which is where the filter puts it.
void CMainView::FollowItemCategory(const CItemRecord& item)
{
    COwebookDoc* pDoc = GetDocument();
    if (!pDoc)
        return;
    LONG category = item.GetCategory();
    int entry = -1;
    for (int i = 0; i < m_comboCategory.GetCount() && entry < 0; ++i) {
        if (static_cast<LONG>(m_comboCategory.GetItemData(i)) == category && category != CATEGORY_ALL &&
            category != CATEGORY_EDIT && category != CATEGORY_ALL_MONEY)
            entry = i;
    }
    if (entry < 0) {
        category = CATEGORY_NONE;
        for (int i = 0; i < m_comboCategory.GetCount() && entry < 0; ++i) {
            if (static_cast<LONG>(m_comboCategory.GetItemData(i)) == CATEGORY_NONE)
                entry = i;
        }
    }
    m_comboCategory.SetCurSel(entry);
    pDoc->SelectCategory(category);
    m_nLastCategorySel = m_comboCategory.GetCurSel();
    RefillList();
}

// --- editing ---------------------------------------------------------------------------------

void CMainView::EditRow(int nRow)
{
    COwebookDoc* pDoc = GetDocument();
    const CEOID id = m_listItems.GetRowId(nRow);
    CItemRecord item;
    if (!pDoc || id == 0 || !pDoc->ReadItem(id, item))
        return;
    m_bAutoRefresh = FALSE;
    BOOL bCategoriesEdited = FALSE;
    const int nResult = RunItemEditor(item, FALSE, bCategoriesEdited);
    if (nResult == EDITOR_OK) {
        pDoc->UpdateItem(id, item);
        if (!bCategoriesEdited) {
            const LONG current = pDoc->GetCurrentCategory();
            if (PassesFilter(item)) {
                BringIntoView(RefillList());
            } else if (current == CATEGORY_ALL || current == CATEGORY_ALL_MONEY) {
                m_listItems.DeleteRow(nRow);
                m_listItems.RedrawItems(nRow, m_listItems.GetItemCount());
                UpdateTotals();
            } else {
                FollowItemCategory(item);
                UpdateTotals();
            }
        }
    } else if (nResult == EDITOR_DELETE) {
        m_listItems.DeleteRow(nRow);
        m_listItems.RedrawItems(nRow, m_listItems.GetItemCount());
        pDoc->PurgeCategory(item.GetCategory());
        pDoc->DeleteItem(id);
        UpdateTotals();
    }
    if (bCategoriesEdited)
        BringIntoView(RefillList());
    m_bAutoRefresh = TRUE;
}

int CMainView::NewItem()
{
    CItemRecord item;
    item.SetDefaults();
    if (m_nMode == MODE_WHAT_I_OWE || m_nMode == MODE_OWED_TO_ME)
        item.SetType(static_cast<SHORT>(m_nMode));
    m_bAutoRefresh = FALSE;
    BOOL bCategoriesEdited = FALSE;
    const int nResult = RunItemEditor(item, TRUE, bCategoriesEdited);
    COwebookDoc* pDoc = GetDocument();
    if (nResult == EDITOR_OK) {
        CEOID id = 0;
        if (pDoc && pDoc->AddItem(item, id)) {
            const int row = InsertItemRow(id, m_listItems.GetItemCount(), item);
            if (row >= 0)
                m_listItems.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
            if (!PassesFilter(item))
                FollowItemCategory(item);
            else
                BringIntoView(RefillList());
        }
    } else if (bCategoriesEdited) {
        BringIntoView(RefillList());
    }
    m_bAutoRefresh = TRUE;
    return nResult;
}

void CMainView::OnNewItem() { NewItem(); }

void CMainView::OnOpenItem()
{
    const int row = m_listItems.GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        EditRow(row);
}

void CMainView::OnClickList(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int mark = m_listItems.GetSelectionMark();
    if (mark >= 0 && (m_listItems.GetItemState(mark, LVIS_SELECTED) & LVIS_SELECTED))
        EditRow(mark);
}

// --- system --------------------------------------------------------------------------------

void CMainView::OnSettingChange(UINT, LPCWSTR lpszSection)
{
    if (reinterpret_cast<LPARAM>(lpszSection) == 1 && !m_bFreshlyFilled)
        RefillList();
}

HBRUSH CMainView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CFormView::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pDC && pWnd && pWnd->GetDlgCtrlID() == IDC_VIEW_TOTALS) {
        // Made once: the font outlives its selection into the context.
        if (!m_fontTotals.GetSafeHandle()) {
            LOGFONT font{};
            font.lfHeight = 11;
            font.lfWeight = 400;
            font.lfPitchAndFamily = 0x20;
            std::memcpy(font.lfFaceName, u"Tahoma", sizeof(u"Tahoma"));
            m_fontTotals.CreateFontIndirect(&font);
        }
        pDC->SelectObject(&m_fontTotals);
    }
    return brush;
}

void CMainView::OnReset()
{
    m_dbFilter.Delete();
    if (COwebookDoc* pDoc = GetDocument())
        pDoc->DeleteDatabases();
    ::PostQuitMessage(0);
}
