#pragma once
// The single-document template: one document at a time, in one frame.
//
// The first new-document request creates the document, the frame with its
// view, and calls OnNewDocument; when that fails the frame and the document
// are destroyed and nothing is shown. A later request keeps the open document
// and its frame and calls OnNewDocument again; FALSE leaves everything as it
// was, TRUE runs the views' initial update again.

#include "platform/framework/CDocTemplate.h"

class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;

protected:
    CDocument* m_pOnlyDoc = nullptr;
};
