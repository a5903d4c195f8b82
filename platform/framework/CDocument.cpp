#include "platform/framework/CDocument.h"

#include "platform/framework/CDocTemplate.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/ui/WinApi.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

const AFX_MSGMAP* CDocument::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CDocument::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    // Views outliving their document (their windows destroyed later) must not reach back.
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    m_viewList.clear();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCWSTR lpszTitle) { m_strTitle = lpszTitle ? lpszTitle : u""; }

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.empty() ? nullptr : platform::PositionFromIndex(0);
}

CView* CDocument::GetNextView(POSITION& pos) const
{
    if (!pos)
        return nullptr;
    const std::size_t index = platform::IndexFromPosition(pos);
    if (index >= m_viewList.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index + 1 < m_viewList.size() ? platform::PositionFromIndex(index + 1) : nullptr;
    return m_viewList[index];
}

void CDocument::AddView(CView* pView)
{
    if (!pView || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    if (pView->m_pDocument && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
    OnChangedViewList();   // may delete this document
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.empty() && m_bAutoDelete)
        OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // A view's OnUpdate may run dialogs that add or remove views: walk a copy,
    // skipping views that have left meanwhile.
    const std::vector<CView*> views = m_viewList;
    for (CView* pView : views)
        if (pView != pSender && std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
            pView->OnUpdate(pSender, lHint, pHint);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCWSTR) { return FALSE; }

void CDocument::DeleteContents() {}

void CDocument::OnCloseDocument()
{
    // Destroying the frames removes the views; keep this object alive meanwhile.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.empty()) {
        CView* pView = m_viewList.front();
        CFrameWnd* pFrame = pView->GetParentFrame();
        const HWND target = pFrame ? pFrame->m_hWnd : pView->m_hWnd;
        if (!::IsWindow(target) || !::DestroyWindow(target) ||
            (!m_viewList.empty() && m_viewList.front() == pView))
            RemoveView(pView);   // a view without a live window
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
