#pragma once
// A view: a child window of a frame showing its document. Commands reaching
// a view go to the view's own map, then to its document. Views are heap
// objects: they delete themselves with their window and leave their document.

#include "platform/ui/CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;

    // The base calls OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // The base repaints the view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnDraw(CDC* pDC) = 0;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CView();
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();

    CDocument* m_pDocument = nullptr;
    // The context of a view whose window is made without one (a form view).
    CCreateContext* m_pCreateContext = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    friend class CDocument;
};
