#include "platform/framework/CWinApp.h"

#include "platform/framework/CDocTemplate.h"

namespace {
CWinApp* g_app = nullptr;
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
END_MESSAGE_MAP()

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(LPCWSTR lpszAppName)
{
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.GetString();
    }
    g_app = this;
}

CWinApp::~CWinApp()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
    m_templates.clear();
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return CWinThread::ExitInstance(); }

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templates.empty() ? nullptr : platform::PositionFromIndex(0);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    if (!pos)
        return nullptr;
    const std::size_t index = platform::IndexFromPosition(pos);
    if (index >= m_templates.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index + 1 < m_templates.size() ? platform::PositionFromIndex(index + 1) : nullptr;
    return m_templates[index];
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (CDocTemplate* pTemplate : m_templates)
        pTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

// The program opens no files: the command is accepted and does nothing.
void CWinApp::OnFileOpen() {}
