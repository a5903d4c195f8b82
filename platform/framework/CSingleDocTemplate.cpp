#include "platform/framework/CSingleDocTemplate.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/CWinApp.h"
#include "platform/ui/WinApi.h"

IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                       CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (CDocument* pDoc = m_pOnlyDoc) {
        pDoc->OnCloseDocument();
        if (m_pOnlyDoc == pDoc) {   // not auto-deleting
            RemoveDocument(pDoc);
            delete pDoc;
        }
    }
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const
{
    return m_pOnlyDoc ? platform::PositionFromIndex(0) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    if (!pDoc || m_pOnlyDoc)
        return;
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (!pDoc || pDoc != m_pOnlyDoc)
        return;
    CDocTemplate::RemoveDocument(pDoc);
    m_pOnlyDoc = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = m_pOnlyDoc;
    CFrameWnd* pFrame = nullptr;
    const bool bCreated = pDocument == nullptr;
    if (pDocument) {
        POSITION pos = pDocument->GetFirstViewPosition();
        if (CView* pView = pDocument->GetNextView(pos))
            pFrame = pView->GetParentFrame();
    } else {
        pDocument = CreateNewDocument();
        if (!pDocument)
            return nullptr;
    }

    if (!pFrame) {
        // A failing frame destroys its view; the document must not go with it
        // before we drop it ourselves.
        const BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (!pFrame) {
            if (bCreated) {
                RemoveDocument(pDocument);
                delete pDocument;
            }
            return nullptr;
        }
    }
    const HWND hFrame = pFrame->m_hWnd;

    const BOOL bOk = lpszPathName ? pDocument->OnOpenDocument(lpszPathName) : pDocument->OnNewDocument();
    if (!bOk) {
        // A later request that fails leaves the open document and its views alone.
        if (bCreated) {
            pDocument->m_bAutoDelete = FALSE;
            ::DestroyWindow(hFrame);
            if (m_pOnlyDoc == pDocument)
                RemoveDocument(pDocument);
            delete pDocument;
        }
        return nullptr;
    }
    if (!::IsWindow(hFrame))
        return nullptr;

    CWinApp* app = AfxGetApp();
    if (bCreated && app && !app->m_pMainWnd)
        app->m_pMainWnd = pFrame;
    InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
