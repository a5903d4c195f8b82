#include "platform/framework/CFormView.h"

#include "platform/ui/DialogBuilder.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/WinApi.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

BOOL CFormView::Create(LPCWSTR, LPCWSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    const platform::DialogTemplate* found = platform::FindDialogTemplate(m_nIDTemplate);
    if (!found || !pParentWnd || m_hWnd || !platform::TemplateClassesRegistered(*found)) {
        PostNcDestroy();   // as a failed window creation does
        return FALSE;
    }
    // The template as a child of the frame, whatever it says about captions.
    platform::DialogTemplate form = *found;
    form.style = (form.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_DISABLED)) | WS_CHILD;
    platform::DialogPlacement placement;
    placement.parent = pParentWnd->m_hWnd;
    placement.fullScreen = false;
    placement.captionOk = false;

    m_pCreateContext = pContext;
    const HWND hWnd = platform::CreateDialogFromTemplate(form, this, placement);
    if (!hWnd)
        return FALSE;   // the window's destruction has deleted this object
    m_pCreateContext = nullptr;
    SetDlgCtrlID(static_cast<int>(nID));
    MoveWindow(&rect, FALSE);
    ExecuteDlgInit(m_nIDTemplate);
    if ((dwStyle & WS_VISIBLE) && ::IsWindow(hWnd))
        ShowWindow(SW_SHOW);
    return ::IsWindow(hWnd);
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    // Tab, arrows and Enter move between and press the form's controls.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd)
        return IsDialogMessage(pMsg);
    return FALSE;
}

void CFormView::OnDraw(CDC*) {}
