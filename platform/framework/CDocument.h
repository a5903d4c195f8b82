#pragma once
// A document: the data its views show. Commands reach it after the active
// view (then its template). When its last view goes, it closes and deletes
// itself (m_bAutoDelete).

#include "platform/core/CString.h"
#include "platform/framework/Position.h"
#include "platform/ui/CCmdTarget.h"

#include <vector>

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCWSTR lpszTitle);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& pos) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);

    // The base clears the contents and returns TRUE.
    virtual BOOL OnNewDocument();
    // Files are not opened by this framework: the base refuses.
    virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
    // Destroys the frames showing the document, clears it, and deletes it
    // when m_bAutoDelete.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void OnChangedViewList();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete = TRUE;
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_viewList;

    DECLARE_MESSAGE_MAP()
};
