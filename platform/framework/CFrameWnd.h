#pragma once
// A frame: the top-level window holding a view in its client area and,
// when the program adds one, a command bar (child id AFX_IDW_TOOLBAR) along
// its bottom edge.
//
// Commands reaching the frame go to the active view (which passes them to its
// document), then to the frame itself, then to the application; command-state
// queries (CCmdUI::DoUpdate(pFrame, ...)) take the same way. When the frame
// is deactivated (a modal dialog comes up over it) its active view gets
// OnActivateView(FALSE, ...), and OnActivateView(TRUE, ...) when the frame is
// active again. Frames are heap objects: they delete themselves with their window.

#include "platform/ui/CWnd.h"

class CView;
class CDocument;

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the frame with the string resource nIDResource as its title (the
    // part before any '\n'); pContext names the view to make in OnCreateClient.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);

    CView* GetActiveView() const { return m_pViewActive; }
    // bNotify: the views hear of it through OnActivateView.
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // Makes a view of pContext->m_pNewViewClass as a child with the given id.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // The command bar along the bottom, the view filling the rest. Runs on
    // every WM_SIZE; a bar that changes its own height calls it again.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // The views' initial update, then the active view is activated.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT m_nIDHelp = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnClose();
    void OnNcDestroy();
    void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);

    CView* m_pViewActive = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend class CView;
    CString m_strTitle;
};
