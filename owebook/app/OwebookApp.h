#pragma once
// The application object: creates the single-document template, serves the
// launch made for a due reminder, and handles the application-wide commands.
// The program's one instance is defined beside WinMain.

#include "owebook/app/AutoBackup.h"
#include "platform/framework/CWinApp.h"

class CMainView;

class COwebookApp : public CWinApp {
public:
    COwebookApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Shows the reminder of the item whose alarm has fired; TRUE when one was shown.
    virtual BOOL HandleAlarm();

protected:
    void OnAppAbout();
    void OnHelpUsing();
    void OnAppExit();
    CMainView* FirstMainView() const;
    DECLARE_MESSAGE_MAP()

private:
    CAutoBackup m_autoBackup;
};
