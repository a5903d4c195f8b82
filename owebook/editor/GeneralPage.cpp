#include "owebook/editor/GeneralPage.h"

#include "owebook/data/CategoryIds.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/editor/EditorIds.h"
#include "platform/framework/DataExchange.h"
#include "platform/system/InputPanel.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/WinApi.h"

BEGIN_MESSAGE_MAP(CGeneralPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_GENERAL_CATEGORY, OnCategoryChange)
    ON_BN_CLICKED(IDC_PAGE_OK, OnOkButton)
    ON_COMMAND(IDC_PAGE_DELETE, OnDelete)
    ON_COMMAND_RANGE(ID_EDIT_CLEAR, ID_EDIT_REDO, OnEditCommand)
    ON_COMMAND(ID_EDIT_SELECT_ALL_ITEM, OnSelectAll)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateCopy)
    ON_EN_SETFOCUS(IDC_GENERAL_AMOUNT, OnAmountSetFocus)
    ON_EN_KILLFOCUS(IDC_GENERAL_AMOUNT, OnAmountKillFocus)
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage(CItemRecord& item, COwebookDoc& doc, BOOL bNewItem)
    : CPropertyPage(IDD_GENERAL_PAGE), m_nType(item.GetType() == ITEM_IOU ? 0 : 1), m_pItem(&item), m_pDoc(&doc),
      m_nViewCategory(doc.m_nCurrentCategory), m_bCategoriesEdited(FALSE), m_nLastCategorySel(0), m_bNewItem(bNewItem)
{
    m_strName = item.GetName();
    m_strDescription = item.GetDescription();
}

CGeneralPage::~CGeneralPage() = default;

void CGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GENERAL_AMOUNT, m_editAmount);
    DDX_Control(pDX, IDC_GENERAL_NAME, m_comboName);
    DDX_Control(pDX, IDC_GENERAL_CATEGORY, m_comboCategory);
    DDX_Text(pDX, IDC_GENERAL_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 50);
    DDX_Radio(pDX, IDC_GENERAL_IOU, m_nType);
    DDX_Text(pDX, IDC_GENERAL_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, 100);
}

BOOL CGeneralPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    if (!m_menuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM, IDW_EDITOR_MENUBAR) ||
        !m_menuBar.InsertMenuBar(IDR_EDITOR_MENU) || !m_menuBar.AddAdornments(0))
        return FALSE;
    m_menuBar.SetBarStyle(m_menuBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);

    FillCategoryList();

    const std::vector<CString>& names = m_pDoc->GetNames();
    m_comboName.InitStorage(static_cast<int>(names.size()), 64);
    for (const CString& name : names)
        m_comboName.AddString(name);

    m_editAmount.Setup(m_pItem->GetAmount(), 2, 0, 14, 1e10);
    m_editAmount.ShowValue();
    return TRUE;
}

void CGeneralPage::FillCategoryList()
{
    m_pDoc->FillCategoryCombo(m_comboCategory, FALSE);
    m_pDoc->AddNoCategoryEntry(m_comboCategory);

    LONG id = m_pItem->GetCategory();
    if (id == CATEGORY_NONE || id == CATEGORY_ALL) {
        if (m_nViewCategory == CATEGORY_ALL || m_nViewCategory == CATEGORY_ALL_MONEY ||
            m_nViewCategory == CATEGORY_NONE) {
            m_comboCategory.SetCurSel(0);
            m_nLastCategorySel = 0;
            return;
        }
        id = m_pDoc->m_nCurrentCategory;
    }
    // The entry that carries the id, not the first whose text starts with its
    // name: a category "No" must not pick "No Category".
    int found = -1;
    CString name;
    if (m_pDoc->GetCategoryName(id, name)) {
        for (int i = 0; i < m_comboCategory.GetCount() && found < 0; ++i)
            if (static_cast<LONG>(m_comboCategory.GetItemData(i)) == id)
                found = i;
    }
    m_nLastCategorySel = found >= 0 ? found : 0;
    m_comboCategory.SetCurSel(m_nLastCategorySel);
}

void CGeneralPage::OnCategoryChange()
{
    const int count = m_comboCategory.GetCount();
    if (count > 0 && m_comboCategory.GetCurSel() == count - 1) {
        const HWND self = m_hWnd;
        m_bCategoriesEdited = m_pDoc->SelectCategory(CATEGORY_EDIT);
        if (!::IsWindow(self))
            return;
        if (m_bCategoriesEdited)
            FillCategoryList();
        else
            m_comboCategory.SetCurSel(m_nLastCategorySel);
    }
    m_nLastCategorySel = m_comboCategory.GetCurSel();
}

void CGeneralPage::OnOkButton()
{
    if (!UpdateData(TRUE))
        return;
    if (NameAndDescriptionEmpty()) {
        if (m_bNewItem && m_comboCategory.GetCurSel() == 0) {
            EndSheet(ITEM_SHEET_CANCELLED);
            return;
        }
        CString text;
        text.LoadString(IDS_NAME_OR_DESCRIPTION);
        MessageBox(text, u"Data missed", MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    OnOK();
    EndSheet(ITEM_SHEET_OK);
}

void CGeneralPage::OnOK()
{
    const int sel = m_comboCategory.GetCurSel();
    if (sel != CB_ERR)
        m_pItem->SetCategory(static_cast<LONG>(m_comboCategory.GetItemData(sel)));
    m_pItem->SetType(m_nType != 0 ? ITEM_UOME : ITEM_IOU);
    m_pItem->SetName(m_strName);
    m_pItem->SetAmount(m_editAmount.GetValue());
    m_pItem->SetDescription(m_strDescription);
    CPropertyPage::OnOK();
}

BOOL CGeneralPage::OnApply()
{
    if (NameAndDescriptionEmpty()) {
        CString text;
        text.LoadString(IDS_NAME_OR_DESCRIPTION_LEAVE);
        MessageBox(text, u"Data missed", MB_ICONEXCLAMATION | MB_OK);
        return FALSE;
    }
    return CPropertyPage::OnApply();
}

BOOL CGeneralPage::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    return OnApply();
}

void CGeneralPage::OnDelete()
{
    if (MessageBox(u"Delete Item?", u"Owebook", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    CPropertyPage::OnCancel();
    EndSheet(ITEM_SHEET_DELETE);
}

void CGeneralPage::OnCancel()
{
    CPropertyPage::OnCancel();
    EndSheet(ITEM_SHEET_CANCELLED);
}

HWND CGeneralPage::FocusedEditField() const
{
    const HWND focus = ::GetFocus();
    if (!focus)
        return nullptr;
    if (focus == m_editAmount.m_hWnd || focus == ::GetDlgItem(m_hWnd, IDC_GENERAL_DESCRIPTION))
        return focus;
    return nullptr;
}

void CGeneralPage::OnEditCommand(UINT nID)
{
    const HWND field = FocusedEditField();
    if (!field)
        return;
    switch (nID) {
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:   // the edit's one undo level: a second undo restores
        ::SendMessage(field, EM_UNDO, 0, 0);
        break;
    case ID_EDIT_CUT:
        ::SendMessage(field, WM_CUT, 0, 0);
        break;
    case ID_EDIT_COPY:
        ::SendMessage(field, WM_COPY, 0, 0);
        break;
    case ID_EDIT_PASTE:
        ::SendMessage(field, WM_PASTE, 0, 0);
        break;
    case ID_EDIT_CLEAR:   // the whole field, whatever was selected
        ::SendMessage(field, EM_SETSEL, 0, -1);
        ::SendMessage(field, EM_SCROLLCARET, 0, 0);
        ::SendMessage(field, WM_CLEAR, 0, 0);
        break;
    default:
        break;
    }
}

void CGeneralPage::OnSelectAll()
{
    if (const HWND field = FocusedEditField()) {
        ::SendMessage(field, EM_SETSEL, 0, -1);
        ::SendMessage(field, EM_SCROLLCARET, 0, 0);
    }
}

void CGeneralPage::OnUpdateCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CGeneralPage::OnAmountSetFocus() { SipShowIM(SIPF_ON); }

void CGeneralPage::OnAmountKillFocus() { SipShowIM(SIPF_OFF); }
