#pragma once
// The home screen: four pictures, one per view mode. A tap on a picture
// closes it with that mode in m_nMode; closed any other way, m_nMode stays 0
// (All Items). The caller reads m_nMode whatever DoModal returned.

#include "platform/ui/CDialog.h"
#include "platform/ui/controls/commandbar/CCeCommandBar.h"

class CHomeDlg : public CDialog {
public:
    explicit CHomeDlg(CWnd* pParent = nullptr);

    int m_nMode;
    CCeCommandBar m_menuBar;   // empty: the dialog's own menu bar

protected:
    BOOL OnInitDialog() override;
    void OnWhatIOwe();
    void OnOwedToMe();
    void OnWhatsDue();
    void OnAllItems();
    void ChooseMode(int nMode);
    DECLARE_MESSAGE_MAP()
};
