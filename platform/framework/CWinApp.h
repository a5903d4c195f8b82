#pragma once
// The application object. The program defines exactly one, as a global:
//
//   class CLedgerApp : public CWinApp { BOOL InitInstance() override; ... };
//   CLedgerApp theApp;
//
// Its constructor makes it the application that AfxGetApp returns. Commands
// that nobody else handles end here (the last stop of command routing);
// 57600 (ID_FILE_NEW) opens a new document through the first template.

#include "platform/core/CString.h"
#include "platform/framework/CWinThread.h"
#include "platform/framework/Position.h"

#include <vector>

class CDocTemplate;

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    LPCWSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 0;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;

    // The application owns the templates it is given.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    // Closes every open document (their frames go with them).
    void CloseAllDocuments(BOOL bEndSession);

    void OnFileNew();
    void OnFileOpen();

protected:
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CDocTemplate*> m_templates;
    CString m_strAppName;
};

CWinApp* AfxGetApp();
