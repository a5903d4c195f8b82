#pragma once
// The About box (template 153): the version, the maker's notices, and
// "Other Products..." which opens the plain dialog 177 over it.

#include "platform/ui/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    CString m_strVersion;   // shown in 1115

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOtherProducts();
    DECLARE_MESSAGE_MAP()
};
