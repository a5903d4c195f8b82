#include "owebook/ui/AboutDlg.h"

#include "owebook/res/Resource.h"
#include "platform/framework/DataExchange.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_OTHER_PRODUCTS, OnOtherProducts)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUT) { m_strVersion.LoadString(IDS_VERSION); }

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ABOUT_VERSION, m_strVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    return TRUE;
}

// The About box stays open underneath.
void CAboutDlg::OnOtherProducts()
{
    CDialog dlg(IDD_OTHER_PRODUCTS, nullptr);
    dlg.DoModal();
}
