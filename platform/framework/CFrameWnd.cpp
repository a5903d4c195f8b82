#include "platform/framework/CFrameWnd.h"

#include "platform/framework/CCreateContext.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/ui/WinApi.h"

namespace {
// The handheld's command bar, when the bar has not sized itself.
constexpr int kDefaultBarHeight = 26;
}

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_NCDESTROY()
    ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString title;
    if (nIDResource && title.LoadString(nIDResource)) {
        const int newline = title.Find(u'\n');
        if (newline >= 0)
            title = title.Left(newline);
    }
    m_strTitle = title;
    // Zero size: the platform gives a top-level window the screen below the caption strip.
    return CreateEx(0, u"FrameWindow", m_strTitle.GetString(), dwDefaultStyle, 0, 0, 0, 0,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr, pContext);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style &= ~WS_VISIBLE;   // shown by the program once it is ready
    return TRUE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = lpcs ? static_cast<CCreateContext*>(lpcs->lpCreateParams) : nullptr;
    return OnCreateClient(lpcs, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* pView = object && object->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(object) : nullptr;
    if (!pView) {
        delete object;
        return nullptr;
    }
    CRect client;
    GetClientRect(&client);
    // A view that fails to be made has deleted itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    int bottom = client.bottom;
    if (CWnd* bar = GetDlgItem(AFX_IDW_TOOLBAR); bar && (bar->GetStyle() & WS_VISIBLE)) {   // the frame itself may be hidden yet
        CRect barRect;
        bar->GetWindowRect(&barRect);
        const int height = barRect.Height() > 0 ? barRect.Height() : kDefaultBarHeight;
        bottom = client.bottom - height;
        bar->MoveWindow(client.left, bottom, client.Width(), height);
    }
    if (CWnd* view = GetDlgItem(AFX_IDW_PANE_FIRST))
        view->MoveWindow(client.left, client.top, client.Width(), bottom > client.top ? bottom - client.top : 0);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    const HWND self = m_hWnd;
    if (!m_pViewActive)
        if (CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST); pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pane), FALSE);
    RecalcLayout();
    if (!bMakeVisible)
        return;
    // The document's views in this frame; an initial update may open dialogs,
    // so each view is looked up again before it is called.
    std::vector<HWND> views;
    if (pDoc)
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos;)
            if (CView* pView = pDoc->GetNextView(pos); pView && pView->GetParentFrame() == this)
                views.push_back(pView->m_hWnd);
    for (HWND hView : views)
        if (auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(hView)))
            pView->OnInitialUpdate();
    if (!::IsWindow(self))
        return;
    ActivateFrame();
    if (CView* pView = m_pViewActive)
        pView->OnActivateView(TRUE, pView, pView);
}

// The program shows its main window itself once it has set the caption.
void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow >= 0)
        ShowWindow(nCmdShow);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The frame may go while a handler runs: nothing below touches it then.
    const HWND self = m_hWnd;
    if (CView* pView = m_pViewActive)
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    if (!::IsWindow(self))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWinApp* app = AfxGetApp())
        return app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    return FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    const HWND self = m_hWnd;
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (!::IsWindow(self))
        return;
    if (CView* pView = m_pViewActive) {
        if (nState == WA_INACTIVE)
            pView->OnActivateView(FALSE, pView, pView);
        else if (!bMinimized)
            pView->OnActivateView(TRUE, pView, pView);
    }
}

void CFrameWnd::OnClose()
{
    // The main frame closes its document, which destroys the frame.
    CWinApp* app = AfxGetApp();
    CDocument* pDoc = GetActiveDocument();
    if (app && app->m_pMainWnd == this && pDoc) {
        pDoc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CFrameWnd::OnNcDestroy()
{
    CWnd::OnNcDestroy();
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
}

void CFrameWnd::OnSettingChange(UINT uFlags, LPCWSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_hWnd)
        SendMessageToDescendants(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection), TRUE);
}
