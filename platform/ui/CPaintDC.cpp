#include "platform/ui/CPaintDC.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/qt/EventBridge.h"
#include "platform/ui/WinApi.h"

#include <QPainter>

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint)
{
    if (!::IsWindow(hWnd))
        return nullptr;
    auto* dc = new platform::DeviceContext(platform::EventBridge::PaintPainter(hWnd));
    if (lpPaint) {
        *lpPaint = PAINTSTRUCT{};
        lpPaint->hdc = dc->Handle();
        ::GetClientRect(hWnd, &lpPaint->rcPaint);
    }
    return dc->Handle();
}

BOOL EndPaint(HWND /*hWnd*/, const PAINTSTRUCT* lpPaint)
{
    if (!lpPaint)
        return FALSE;
    delete platform::DeviceContext::FromHandle(lpPaint->hdc);
    return TRUE;
}

HDC GetDC(HWND hWnd) { return BeginPaint(hWnd, nullptr); }

int ReleaseDC(HWND /*hWnd*/, HDC hDC)
{
    platform::DeviceContext* dc = platform::DeviceContext::FromHandle(hDC);
    if (!dc)
        return 0;
    delete dc;
    return 1;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    m_hDC = ::BeginPaint(m_hWnd, &m_ps);
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
        m_hDC = nullptr;
    }
}
