#include "TestClasses.h"

#include "platform/framework/DataExchange.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

namespace fwtest {

void RegisterResources()
{
    platform::RegisterStrings({{kFrameResource, u"Ledger\nLedger doc"}});
    platform::RegisterDialog({kFormTemplate, u"", WS_CHILD, 0, 0, 0, 138, 165, u"Tahoma", 9,
                              {
                                  {u"", kNameEdit, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 4, 4, 80, 12},
                                  {u"IOU", kFirstRadio, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                                   4, 20, 40, 10},
                                  {u"UOMe", kFirstRadio + 1, WC_BUTTON, WS_VISIBLE | BS_AUTORADIOBUTTON, 48, 20, 40, 10},
                                  {u"Other", kFirstRadio + 2, WC_BUTTON, WS_VISIBLE | BS_AUTORADIOBUTTON, 92, 20, 40, 10},
                                  {u"", kCountEdit, WC_EDIT, WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER, 4, 34, 40, 12},
                                  {u"Paid", kCheck, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 4, 50, 40, 10},
                              }});
    platform::RegisterDialog({kModalDialog, u"Details", WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 100, 60,
                              u"Tahoma", 9,
                              {
                                  {u"OK", IDOK, WC_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 40, 30, 10},
                              }});
}

}  // namespace fwtest

// --- document -----------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogDoc, CDocument)

BEGIN_MESSAGE_MAP(CLogDoc, CDocument)
    ON_COMMAND_RANGE(100, 101, OnRoute)
    ON_UPDATE_COMMAND_UI(110, OnUpdateRoute)
END_MESSAGE_MAP()

std::vector<BOOL> CLogDoc::s_results;
int CLogDoc::s_alive = 0;

CLogDoc::CLogDoc()
{
    ++s_alive;
    Log().push_back("doc constructed");
}

CLogDoc::~CLogDoc()
{
    --s_alive;
    Log().push_back("doc destroyed");
}

BOOL CLogDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    const BOOL result = m_nNewCalls < static_cast<int>(s_results.size()) ? s_results[m_nNewCalls] : TRUE;
    ++m_nNewCalls;
    Log().push_back(result ? "doc new" : "doc new refused");
    return result;
}

void CLogDoc::OnRoute(UINT nID) { Log().push_back("doc " + std::to_string(nID)); }

void CLogDoc::OnUpdateRoute(CCmdUI* pCmdUI)
{
    Log().push_back("doc update " + std::to_string(pCmdUI->m_nID));
    pCmdUI->Enable(FALSE);
}

// --- frame --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CLogFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_RANGE(100, 102, OnRoute)
    ON_MESSAGE(fwtest::kOpenModal, OnOpenModal)
END_MESSAGE_MAP()

bool CLogFrame::s_withBar = false;
bool CLogFrame::s_failCreate = false;

int CLogFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    Log().push_back("frame created");
    if (s_failCreate)
        return -1;
    if (s_withBar) {
        // Stands in for the command bar: sized by itself, placed by the frame.
        if (!::CreateWindowEx(0, u"TestBar", u"", WS_CHILD | WS_VISIBLE, 0, 0, 240, 26, m_hWnd,
                              reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(AFX_IDW_TOOLBAR)), nullptr, nullptr))
            return -1;
    }
    return 0;
}

void CLogFrame::OnRoute(UINT nID) { Log().push_back("frame " + std::to_string(nID)); }

LRESULT CLogFrame::OnOpenModal(WPARAM, LPARAM)
{
    CDialog dialog(fwtest::kModalDialog, this);
    Log().push_back("modal open");
    m_nModalResult = dialog.DoModal();
    Log().push_back("modal closed");
    return 0;
}

// --- views --------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CLogView, CView)

BEGIN_MESSAGE_MAP(CLogView, CView)
    ON_COMMAND_RANGE(100, 100, OnRoute)
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

void CLogView::OnInitialUpdate()
{
    Log().push_back("view initial update");
    CView::OnInitialUpdate();
}

void CLogView::OnUpdate(CView* pSender, LPARAM lHint, CObject*)
{
    Log().push_back("view update " + std::to_string(lHint) + (pSender ? " from a view" : ""));
}

void CLogView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    Log().push_back(bActivate ? "view activated" : "view deactivated");
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CLogView::OnRoute(UINT nID) { Log().push_back("view " + std::to_string(nID)); }

void CLogView::OnSettingChange(UINT, LPCWSTR lpszSection)
{
    Log().push_back("view setting change " + std::to_string(reinterpret_cast<std::uintptr_t>(lpszSection)));
}

IMPLEMENT_DYNCREATE(CLogForm, CFormView)

void CLogForm::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, fwtest::kNameEdit, m_strName);
    DDV_MaxChars(pDX, m_strName, 5);
    DDX_Radio(pDX, fwtest::kFirstRadio, m_nType);
    DDX_Text(pDX, fwtest::kCountEdit, m_nCount);
    DDX_Check(pDX, fwtest::kCheck, m_nCheck);
}

void CLogForm::OnInitialUpdate()
{
    Log().push_back("form initial update");
    CFormView::OnInitialUpdate();
}

// --- application and fixture -------------------------------------------------------

BEGIN_MESSAGE_MAP(CLogApp, CWinApp)
    ON_COMMAND_RANGE(100, 103, OnRoute)
    ON_COMMAND(110, OnCommand110)
    ON_UPDATE_COMMAND_UI(111, OnUpdateRoute)
END_MESSAGE_MAP()

void CLogApp::OnRoute(UINT nID) { Log().push_back("app " + std::to_string(nID)); }

void CLogApp::OnCommand110() { Log().push_back("app 110"); }

void CLogApp::OnUpdateRoute(CCmdUI* pCmdUI) { Log().push_back("app update " + std::to_string(pCmdUI->m_nID)); }

void FrameworkTest::SetUp()
{
    platform::testing::ResetUi();
    fwtest::RegisterResources();
    Log().clear();
    CLogDoc::s_results.clear();
    CLogFrame::s_withBar = false;
    CLogFrame::s_failCreate = false;
}

void FrameworkTest::TearDown()
{
    platform::testing::ResetUi();
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(CLogDoc::s_alive, 0) << "a document outlived its views";
}

CSingleDocTemplate* FrameworkTest::AddTemplate(CRuntimeClass* pViewClass)
{
    auto* pTemplate =
        new CSingleDocTemplate(fwtest::kFrameResource, RUNTIME_CLASS(CLogDoc), RUNTIME_CLASS(CLogFrame), pViewClass);
    m_app.AddDocTemplate(pTemplate);
    return pTemplate;
}
