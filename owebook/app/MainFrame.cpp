#include "owebook/app/MainFrame.h"

#include "owebook/app/OwebookApp.h"
#include "platform/core/WideC.h"
#include "platform/system/Trace.h"
#include "platform/ui/Resources.h"

namespace {

constexpr UINT kToolTipIds[TOOLTIP_COUNT] = {IDS_TIP_ITEM, IDS_TIP_HELP,  IDS_TIP_CUT,
                                             IDS_TIP_COPY, IDS_TIP_PASTE, IDS_TIP_ABOUT};
constexpr int kMaxToolTip = 255;

}  // namespace

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_OWEBOOK_ALARM, OnAlarm)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
{
    for (LPWSTR& tip : m_apszToolTips)
        tip = nullptr;
}

CMainFrame::~CMainFrame()
{
    for (LPWSTR& tip : m_apszToolTips) {
        delete[] tip;
        tip = nullptr;
    }
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    for (int i = 0; i < TOOLTIP_COUNT; ++i) {
        WCHAR text[kMaxToolTip + 1] = {};
        const int length = ::LoadString(AfxGetResourceHandle(), kToolTipIds[i], text, kMaxToolTip + 1);
        delete[] m_apszToolTips[i];
        m_apszToolTips[i] = new WCHAR[length + 1];
        wcsncpy(m_apszToolTips[i], text, length);
        m_apszToolTips[i][length] = 0;
    }

    if (!m_cmdBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR))
        return -1;
    if (!m_cmdBar.InsertMenuBar(IDR_MAIN_MENU))
        return -1;
    if (!m_cmdBar.AddAdornments(0))
        return -1;
    m_cmdBar.SendMessage(TB_SETTOOLTIPS, TOOLTIP_COUNT, reinterpret_cast<LPARAM>(m_apszToolTips));
    m_cmdBar.SetBarStyle(m_cmdBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);

    // The handheld's shell offered "New" here; it is how the user creates an item.
    if (!m_cmdBar.AddButton(u"New", ID_FILE_NEW))
        return -1;
    return 0;
}

LRESULT CMainFrame::OnAlarm(WPARAM, LPARAM)
{
    platform::Trace("alarm message");
    auto* pApp = dynamic_cast<COwebookApp*>(AfxGetApp());
    return pApp ? pApp->HandleAlarm() : FALSE;
}
