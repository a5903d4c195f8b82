#include "platform/framework/CView.h"

#include "platform/framework/CCreateContext.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/WinApi.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);   // may delete the document
}

BOOL CView::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName ? lpszClassName : u"View", lpszWindowName, dwStyle, rect, pParentWnd,
                        nID, pContext);
}

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent())
        if (parent->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(parent);
    return nullptr;
}

void CView::PostNcDestroy() { delete this; }

int CView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* pContext = lpcs && lpcs->lpCreateParams ? static_cast<CCreateContext*>(lpcs->lpCreateParams)
                                                            : m_pCreateContext;
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return 0;
}

void CView::OnDestroy()
{
    if (CFrameWnd* pFrame = GetParentFrame(); pFrame && pFrame->m_pViewActive == this)
        pFrame->m_pViewActive = nullptr;   // no activation news for a view that is going
    CWnd::OnDestroy();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    // The activated view takes the focus unless something inside it has it.
    if (bActivate && pActivateView == this && m_hWnd) {
        HWND focus = ::GetFocus();
        if (focus != m_hWnd && !::IsChild(m_hWnd, focus) && ::IsWindowVisible(m_hWnd))
            SetFocus();
    }
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const HWND self = m_hWnd;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (self && !::IsWindow(self))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
