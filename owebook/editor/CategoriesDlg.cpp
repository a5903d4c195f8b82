#include "owebook/editor/CategoriesDlg.h"

#include "owebook/data/CategoryRecord.h"
#include "owebook/data/CategoryStore.h"
#include "owebook/editor/EditorIds.h"
#include "platform/framework/DataExchange.h"
#include "platform/system/InputPanel.h"
#include "platform/ui/WinApi.h"

#include <string_view>

namespace {

// Posted by an arrow key on the list, to run once the list has moved on.
constexpr UINT WM_LIST_MOVED = WM_USER + 1;

}  // namespace

BEGIN_MESSAGE_MAP(CCategoriesDlg, CDialog)
    ON_MESSAGE(WM_LIST_MOVED, OnListMoved)
    ON_BN_CLICKED(IDC_CATEGORIES_ADD, OnAdd)
    ON_BN_CLICKED(IDC_CATEGORIES_DELETE, OnDelete)
    ON_NOTIFY(NM_CLICK, IDC_CATEGORIES_LIST, OnListClick)
    ON_BN_CLICKED(IDC_CATEGORIES_ISMONEY, OnIsMoney)
    ON_EN_UPDATE(IDC_CATEGORIES_NAME, OnNameUpdate)
    ON_EN_SETFOCUS(IDC_CATEGORIES_NAME, OnNameSetFocus)
    ON_EN_KILLFOCUS(IDC_CATEGORIES_NAME, OnNameKillFocus)
END_MESSAGE_MAP()

namespace {

std::u16string_view View(const CString& s) { return {s.GetString(), static_cast<std::size_t>(s.GetLength())}; }

// Rows by their categories' names, by character code ("Zoo" before "apples").
int CompareByName(LPARAM id1, LPARAM id2, LPARAM store)
{
    auto* categories = reinterpret_cast<CCategoryStore*>(store);
    CNamedRecord a, b;
    categories->ReadById(static_cast<LONG>(id1), a);
    categories->ReadById(static_cast<LONG>(id2), b);
    const CString nameA = a.GetName(), nameB = b.GetName();
    const int order = View(nameA).compare(View(nameB));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

}  // namespace

CCategoriesDlg::CCategoriesDlg(CCategoryStore& store, CWnd* pParent)
    : CDialog(IDD_CATEGORIES, pParent), m_pStore(&store), m_bChanged(FALSE)
{
}

CCategoriesDlg::~CCategoriesDlg() = default;

void CCategoriesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CATEGORIES_ISMONEY, m_checkIsMoney);
    DDX_Control(pDX, IDC_CATEGORIES_NAME, m_editName);
    DDX_Control(pDX, IDC_CATEGORIES_LIST, m_listCategories);
    DDX_Text(pDX, IDC_CATEGORIES_NAME, m_strName);
}

BOOL CCategoriesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_bChanged = FALSE;
    m_listCategories.SetExtendedStyle(m_listCategories.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_listCategories.InsertColumn(0, u"Category Name", LVCFMT_LEFT, 200);
    m_listCategories.InsertColumn(1, u"Is Money", LVCFMT_CENTER, 34);
    m_pStore->FillList(m_listCategories);
    return TRUE;
}

void CCategoriesDlg::SelectRow(int row)
{
    m_listCategories.SetSelectionMark(row);
    m_listCategories.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_listCategories.EnsureVisible(row, FALSE);
}

void CCategoriesDlg::ClearSelection()
{
    const int mark = m_listCategories.GetSelectionMark();
    if (mark >= 0)
        m_listCategories.SetItemState(mark, 0, LVIS_SELECTED);
}

void CCategoriesDlg::OnAdd()
{
    m_editName.GetWindowText(m_strName);
    if (m_strName.IsEmpty())
        return;
    // Of the records with this name (case-sensitive), an active one wins;
    // otherwise the first deleted one comes back with its old id.
    CCeDBProp key(m_strName.GetString(), NAMEPROP_NAME);
    CEOID revive = 0;
    CNamedRecord probe;
    for (CEOID oid = m_pStore->SeekFirstEqual(key); oid != 0; oid = m_pStore->SeekNextEqual(key)) {
        if (!m_pStore->ReadCurrRecord(&probe))
            continue;
        if (probe.GetActive()) {
            LVFINDINFO find{LVFI_STRING, m_strName.GetString(), 0, {0, 0}, 0};
            const int row = m_listCategories.FindItem(&find, -1);
            if (row >= 0)
                SelectRow(row);
            return;
        }
        if (!revive)
            revive = oid;
    }

    const BOOL isMoney = m_checkIsMoney.GetCheck() == BST_CHECKED;
    LONG id = 0;
    if (revive) {
        CCategoryRecord record;
        if (!m_pStore->SeekToRecord(revive) || !m_pStore->ReadCurrRecord(&record))
            return;
        record.SetActive(TRUE);
        record.SetIsMoney(isMoney);
        if (!m_pStore->WriteCurrRecord(&record))
            return;
        id = static_cast<LONG>(revive);
    } else {
        CCategoryRecord record(m_strName.GetString(), isMoney);
        id = static_cast<LONG>(m_pStore->AddRecord(record));
        if (id == 0)
            return;
    }
    const int row = m_pStore->AddListRow(m_listCategories, m_listCategories.GetItemCount(), m_strName, id);
    if (row >= 0)
        SelectRow(row);
    m_listCategories.SortItems(CompareByName, reinterpret_cast<DWORD_PTR>(m_pStore));
    m_bChanged = TRUE;
}

BOOL CCategoriesDlg::ReadSelected(int& row, LONG& id, CCategoryRecord& record)
{
    row = m_listCategories.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        return FALSE;
    id = static_cast<LONG>(m_listCategories.GetItemData(row));
    return m_pStore->ReadById(id, record);
}

void CCategoriesDlg::OnDelete()
{
    int row = -1;
    LONG id = 0;
    CCategoryRecord record;
    if (!ReadSelected(row, id, record))
        return;
    m_pStore->DeleteEntry(id);
    m_listCategories.DeleteItem(row);
    ClearSelection();
    m_checkIsMoney.SetCheck(BST_UNCHECKED);
    m_editName.SetWindowText(u"");
    GetDlgItem(IDC_CATEGORIES_DELETE)->EnableWindow(FALSE);
    m_bChanged = TRUE;
}

void CCategoriesDlg::OnIsMoney()
{
    int row = -1;
    LONG id = 0;
    CCategoryRecord record;
    if (!ReadSelected(row, id, record))
        return;
    CString typed;
    m_editName.GetWindowText(typed);
    if (!typed.IsEmpty() && typed != record.GetName())
        return;
    const BOOL isMoney = m_checkIsMoney.GetCheck() == BST_CHECKED;
    record.SetIsMoney(isMoney);
    if (!m_pStore->SeekToRecord(static_cast<CEOID>(id)) || !m_pStore->WriteCurrRecord(&record))
        return;
    m_listCategories.SetItemText(row, 1, isMoney ? u"Yes" : u"No");
    m_listCategories.RedrawItems(row, row);
}

void CCategoriesDlg::RowChosen()
{
    // The mark, which the arrow keys move before the selection follows.
    const int row = m_listCategories.GetSelectionMark();
    if (row < 0)
        return;
    GetDlgItem(IDC_CATEGORIES_DELETE)->EnableWindow(TRUE);
    m_editName.SetWindowText(u"");
    CCategoryRecord record;
    if (m_pStore->ReadById(static_cast<LONG>(m_listCategories.GetItemData(row)), record))
        m_checkIsMoney.SetCheck(record.GetIsMoney() ? BST_CHECKED : BST_UNCHECKED);
}

void CCategoriesDlg::OnListClick(NMHDR*, LRESULT* pResult)
{
    RowChosen();
    *pResult = 0;
}

LRESULT CCategoriesDlg::OnListMoved(WPARAM, LPARAM)
{
    const int row = m_listCategories.GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        m_listCategories.SetSelectionMark(row);
    RowChosen();
    return 0;
}

BOOL CCategoriesDlg::PreTranslateMessage(MSG* pMsg)
{
    // The list moves its mark and selection one row itself; the row it lands
    // on is then taken as chosen.
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_listCategories.m_hWnd &&
        (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN))
        PostMessage(WM_LIST_MOVED);
    return CDialog::PreTranslateMessage(pMsg);
}

void CCategoriesDlg::OnNameUpdate()
{
    GetDlgItem(IDC_CATEGORIES_ADD)->EnableWindow(m_editName.GetWindowTextLength() > 0);
}

void CCategoriesDlg::OnNameSetFocus()
{
    SipShowIM(SIPF_ON);
    GetDlgItem(IDC_CATEGORIES_DELETE)->EnableWindow(FALSE);
    ClearSelection();
}

void CCategoriesDlg::OnNameKillFocus() { SipShowIM(SIPF_OFF); }
