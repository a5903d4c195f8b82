#include "platform/ui/controls/static/CStatic.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/controls/edit/EditWidget.h"
#include "platform/ui/controls/static/StaticWidget.h"
#include "platform/ui/WinApi.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

using platform::StaticState;

BOOL CStatic::Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    platform::Window* w = platform::LookupWindow(m_hWnd);
    StaticState* state = platform::GetControlData<StaticState>(m_hWnd);
    if (!w || !state)
        return CWnd::DefWindowProc(message, wParam, lParam);
    const bool picture = (w->style & SS_TYPEMASK) == SS_BITMAP;
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT result = CWnd::DefWindowProc(message, wParam, lParam);
        if (picture && (w = platform::LookupWindow(m_hWnd)) != nullptr) {
            if (state->ownsBitmap && state->bitmap)
                ::DeleteObject(state->bitmap);
            state->bitmap = nullptr;
            state->ownsBitmap = false;
            const QString text = QString::fromUtf16(w->text.GetString(), w->text.GetLength());
            if (w->widget)
                w->widget->setAccessibleName(QStringLiteral("picture %1").arg(text.mid(1)));
        }
        return result;
    }
    case STM_SETIMAGE: {
        if (wParam != IMAGE_BITMAP)
            return 0;
        HBITMAP old = platform::StaticBitmap(m_hWnd);
        if (state->ownsBitmap && old) {
            ::DeleteObject(old);
            old = nullptr;
        }
        state->bitmap = reinterpret_cast<HBITMAP>(lParam);
        state->ownsBitmap = false;
        if (w->widget)
            w->widget->update();
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETIMAGE:
        return wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(platform::StaticBitmap(m_hWnd)) : 0;
    case WM_LBUTTONUP: {
        const HWND self = m_hWnd;
        CWnd::DefWindowProc(message, wParam, lParam);
        if ((GetStyle() & SS_NOTIFY) && ::IsWindow(self) && ::IsWindowEnabled(self))
            platform::NotifyParent(self, STN_CLICKED);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
