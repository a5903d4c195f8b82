#pragma once
// The document, frame, views and application the framework tests drive. Each
// logs what the framework does to it, in order, into Log().

#include "platform/framework/CDocument.h"
#include "platform/framework/CFormView.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/CWinApp.h"
#include "platform/testing/UiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

std::vector<std::string>& Log();

namespace fwtest {

constexpr UINT kFrameResource = 9100;
constexpr UINT kFormTemplate = 9102;
constexpr UINT kModalDialog = 9103;
constexpr int kNameEdit = 2001;
constexpr int kFirstRadio = 2010;
constexpr int kCountEdit = 2015;
constexpr int kCheck = 2020;
constexpr UINT kOpenModal = WM_APP + 1;
void RegisterResources();

}  // namespace fwtest

class CLogDoc : public CDocument {
    DECLARE_DYNCREATE(CLogDoc)
public:
    ~CLogDoc() override;
    BOOL OnNewDocument() override;
    void OnRoute(UINT nID);
    void OnUpdateRoute(CCmdUI* pCmdUI);

    static std::vector<BOOL> s_results;   // OnNewDocument's answers in turn; TRUE when used up
    static int s_alive;
    int m_nNewCalls = 0;

protected:
    CLogDoc();
    DECLARE_MESSAGE_MAP()
};

class CLogFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CLogFrame)
public:
    static bool s_withBar;
    static bool s_failCreate;
    INT_PTR m_nModalResult = 0;

    void OnRoute(UINT nID);
    int OnCreate(LPCREATESTRUCT lpcs);
    LRESULT OnOpenModal(WPARAM wParam, LPARAM lParam);

protected:
    CLogFrame() = default;
    DECLARE_MESSAGE_MAP()
};

class CLogView : public CView {
    DECLARE_DYNCREATE(CLogView)
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    void OnDraw(CDC*) override {}
    void OnRoute(UINT nID);
    void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);

protected:
    CLogView() = default;
    DECLARE_MESSAGE_MAP()
};

class CLogForm : public CFormView {
    DECLARE_DYNCREATE(CLogForm)
public:
    CString m_strName = u"Ann";
    int m_nType = 1;
    int m_nCount = 3;
    int m_nCheck = 1;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;

protected:
    CLogForm() : CFormView(fwtest::kFormTemplate) {}
};

class CLogApp : public CWinApp {
public:
    void OnRoute(UINT nID);
    void OnCommand110();
    void OnUpdateRoute(CCmdUI* pCmdUI);

protected:
    DECLARE_MESSAGE_MAP()
};

// Every test starts and ends with no windows and an application object.
class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A single-document template for the log classes, added to the application.
    CSingleDocTemplate* AddTemplate(CRuntimeClass* pViewClass = RUNTIME_CLASS(CLogView));
    CFrameWnd* MainFrame() const { return static_cast<CFrameWnd*>(m_app.m_pMainWnd); }

    CLogApp m_app;
};
