#include "owebook/app/OwebookApp.h"

#include "owebook/app/AppIds.h"
#include "owebook/app/MainFrame.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/ui/AboutDlg.h"
#include "owebook/ui/ShowHelpFile.h"
#include "owebook/views/MainView.h"
#include "platform/core/WideC.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/WinMain.h"
#include "platform/system/Trace.h"
#include "platform/ui/WinApi.h"

BEGIN_MESSAGE_MAP(COwebookApp, CWinApp)
    ON_COMMAND(ID_HELP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_HELP_USING, OnHelpUsing)
    ON_COMMAND(ID_TOOLS_EXIT, OnAppExit)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

COwebookApp::COwebookApp() : CWinApp(nullptr) {}

BOOL COwebookApp::InitInstance()
{
    AfxEnableControlContainer();

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COwebookDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CMainView)));

    // The notification service's launch ends after the reminder; without a
    // pending reminder it is an ordinary start.
    if (m_lpCmdLine && wcscmp(m_lpCmdLine, CMDLINE_RUN_AT_TIME) == 0 && HandleAlarm())
        return FALSE;

    OnFileNew();
    // No items database: the document and its frame are gone again.
    if (!m_pMainWnd || !::IsWindow(m_pMainWnd->m_hWnd))
        return FALSE;

    m_pMainWnd->SetWindowText(u"Owebook");
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    platform::Trace("main window shown");
    m_autoBackup.Start();
    return TRUE;
}

int COwebookApp::ExitInstance()
{
    m_autoBackup.Wait();
    return CWinApp::ExitInstance();
}

// The About box deactivates and reactivates the view: no refill for that.
void COwebookApp::OnAppAbout()
{
    if (CMainView* pView = FirstMainView())
        pView->m_bAutoRefresh = FALSE;
    CAboutDlg dlg;
    dlg.DoModal();
    if (CMainView* pView = FirstMainView())
        pView->m_bAutoRefresh = TRUE;
}

void COwebookApp::OnHelpUsing() { ShowHelpFile(u"Owebook.htm"); }

// The first view of the current document.
CMainView* COwebookApp::FirstMainView() const
{
    auto* pFrame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
    CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : nullptr;
    if (!pDoc)
        return nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos ? dynamic_cast<CMainView*>(pDoc->GetNextView(pos)) : nullptr;
}

void COwebookApp::OnAppExit() { ::PostQuitMessage(0); }
