#pragma once
// The main window: the frame holding the main view, with the command bar
// carrying the menu bar (View, Tools, Help) and the "New" button. A second
// launch with "AppRunAtTime" reaches it through WM_OWEBOOK_ALARM.

#include "owebook/app/AppIds.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/ui/controls/commandbar/CCeCommandBar.h"

class CMainFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CMainFrame)
public:
    ~CMainFrame() override;

    CCeCommandBar m_cmdBar;
    // Heap copies handed to the command bar; they live as long as the frame.
    LPWSTR m_apszToolTips[TOOLTIP_COUNT];

protected:
    CMainFrame();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnAlarm(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
