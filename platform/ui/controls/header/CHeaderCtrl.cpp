#include "platform/ui/controls/header/CHeaderCtrl.h"

#include "platform/ui/Window.h"

#include <QHeaderView>
#include <QTreeWidget>

IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)

namespace {

QTreeWidget* ListOf(HWND header)
{
    platform::Window* w = platform::LookupWindow(header);
    platform::Window* list = w ? platform::LookupWindow(w->parent) : nullptr;
    return list ? qobject_cast<QTreeWidget*>(list->widget.data()) : nullptr;
}

}  // namespace

LRESULT CHeaderCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QTreeWidget* list = ListOf(m_hWnd);
    switch (message) {
    case HDM_GETITEMCOUNT:
        return list ? list->columnCount() : -1;
    case HDM_GETITEMRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const int column = static_cast<int>(wParam);
        if (!list || !rect || column < 0 || column >= list->columnCount())
            return FALSE;
        const QHeaderView* header = list->header();
        const int left = header->sectionViewportPosition(column);
        *rect = RECT{left, 0, left + header->sectionSize(column), header->height()};
        return TRUE;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}
