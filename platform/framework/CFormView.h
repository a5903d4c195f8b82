#pragma once
// A view made from a dialog template: the template's controls become the
// view's children (its initialisation data applied); the initial update
// exchanges the members into them (UpdateData(FALSE)) before the base's.
//
//   class CMainView : public CFormView {
//       DECLARE_DYNCREATE(CMainView)
//   protected:
//       CMainView() : CFormView(146) {}
//       void DoDataExchange(CDataExchange* pDX) override;
//       ...
//   };

#include "platform/framework/CScrollView.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    UINT m_nIDTemplate;

protected:
    explicit CFormView(UINT nIDTemplate);
    void OnDraw(CDC* pDC) override;
};
