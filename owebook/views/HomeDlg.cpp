#include "owebook/views/HomeDlg.h"

#include "owebook/app/AppIds.h"
#include "owebook/res/Resource.h"
#include "owebook/views/MainView.h"

BEGIN_MESSAGE_MAP(CHomeDlg, CDialog)
    ON_STN_CLICKED(ID_VIEW_WHAT_I_OWE, OnWhatIOwe)
    ON_STN_CLICKED(IDC_HOME_OWED_TO_ME, OnOwedToMe)
    ON_STN_CLICKED(IDC_HOME_WHATS_DUE, OnWhatsDue)
    ON_STN_CLICKED(ID_VIEW_ALL_ITEMS, OnAllItems)
END_MESSAGE_MAP()

CHomeDlg::CHomeDlg(CWnd* pParent) : CDialog(IDD_HOME, pParent), m_nMode(MODE_ALL_ITEMS) {}

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

void CHomeDlg::OnWhatIOwe() { ChooseMode(MODE_WHAT_I_OWE); }

void CHomeDlg::OnOwedToMe() { ChooseMode(MODE_OWED_TO_ME); }

void CHomeDlg::OnWhatsDue() { ChooseMode(MODE_WHATS_DUE); }

void CHomeDlg::OnAllItems() { ChooseMode(MODE_ALL_ITEMS); }

void CHomeDlg::ChooseMode(int nMode)
{
    m_nMode = nMode;
    CDialog::OnOK();
}
