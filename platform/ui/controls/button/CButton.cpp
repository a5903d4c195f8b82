#include "platform/ui/controls/button/CButton.h"

#include "platform/ui/controls/button/ButtonWidget.h"
#include "platform/ui/WinApi.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QPushButton>

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    if (!w || !w->widget)
        return CWnd::DefWindowProc(message, wParam, lParam);
    const DWORD type = w->style & BS_TYPEMASK;
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
        const QString text = QString::fromUtf16(reinterpret_cast<LPCWSTR>(lParam) ? reinterpret_cast<LPCWSTR>(lParam)
                                                                                  : u"");
        if ((w = platform::LookupWindow(m_hWnd)) && w->widget) {
            if (auto* button = qobject_cast<QAbstractButton*>(w->widget.data()))
                button->setText(text);
            else if (auto* group = qobject_cast<QGroupBox*>(w->widget.data()))
                group->setTitle(text);
        }
        return result;
    }
    case BM_CLICK:
        platform::ClickButton(m_hWnd);
        return 0;
    case BM_GETCHECK:
        return platform::ButtonCheck(m_hWnd);
    case BM_SETCHECK:
        platform::SetButtonCheck(m_hWnd, static_cast<int>(wParam));
        return 0;
    case BM_GETSTATE: {
        auto* button = qobject_cast<QAbstractButton*>(w->widget.data());
        return platform::ButtonCheck(m_hWnd) | ((button && button->isDown()) ? 0x0004 : 0) |
               (w->widget->hasFocus() ? 0x0008 : 0);
    }
    case BM_SETSTATE:
        if (auto* button = qobject_cast<QAbstractButton*>(w->widget.data()))
            button->setDown(wParam != 0);
        return 0;
    case BM_SETSTYLE:
        w->style = (w->style & ~0xFFFFu) | LOWORD(wParam);
        if (auto* push = qobject_cast<QPushButton*>(w->widget.data()))
            push->setDefault((w->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        if (lParam)
            w->widget->update();
        return 0;
    case WM_GETDLGCODE:
        switch (type) {
        case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
        }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
