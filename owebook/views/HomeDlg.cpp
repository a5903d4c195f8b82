#include "owebook/views/HomeDlg.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"

namespace {

// The main view's modes.
constexpr int HOME_ALL_ITEMS = 0;
constexpr int HOME_WHAT_I_OWE = 1;
constexpr int HOME_OWED_TO_ME = 2;
constexpr int HOME_WHATS_DUE = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CHomeDlg, CDialog)
    ON_STN_CLICKED(ID_VIEW_WHAT_I_OWE, OnWhatIOwe)
    ON_STN_CLICKED(IDC_HOME_OWED_TO_ME, OnOwedToMe)
    ON_STN_CLICKED(IDC_HOME_WHATS_DUE, OnWhatsDue)
    ON_STN_CLICKED(ID_VIEW_ALL_ITEMS, OnAllItems)
END_MESSAGE_MAP()

CHomeDlg::CHomeDlg(CWnd* pParent) : CDialog(IDD_HOME, pParent), m_nMode(HOME_ALL_ITEMS) {}

BOOL CHomeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_menuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR))
        return FALSE;
    if (!m_menuBar.AddAdornments(0))
        return FALSE;
    m_menuBar.SetBarStyle(m_menuBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
    return TRUE;
}

void CHomeDlg::OnWhatIOwe() { ChooseMode(HOME_WHAT_I_OWE); }

void CHomeDlg::OnOwedToMe() { ChooseMode(HOME_OWED_TO_ME); }

void CHomeDlg::OnWhatsDue() { ChooseMode(HOME_WHATS_DUE); }

void CHomeDlg::OnAllItems() { ChooseMode(HOME_ALL_ITEMS); }

void CHomeDlg::ChooseMode(int nMode)
{
    m_nMode = nMode;
    CDialog::OnOK();
}
