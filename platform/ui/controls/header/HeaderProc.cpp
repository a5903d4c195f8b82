#include "platform/ui/controls/header/HeaderProc.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/Window.h"

#include <QHeaderView>

namespace platform {
namespace {

struct HeaderControl {
    explicit HeaderControl(HWND h) : hwnd(h)
    {
        if (Window* w = LookupWindow(h))
            view = qobject_cast<QHeaderView*>(w->widget.data());
    }
    bool Valid() const { return view != nullptr; }

    HWND hwnd;
    QHeaderView* view = nullptr;
};

LRESULT OnGetItemCount(HeaderControl& h, WPARAM, LPARAM) { return h.view->count(); }

LRESULT OnGetItemRect(HeaderControl& h, WPARAM wParam, LPARAM lParam)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    const int item = static_cast<int>(wParam);
    if (!rect || item < 0 || item >= h.view->count())
        return FALSE;
    const int left = h.view->sectionViewportPosition(item);
    *rect = RECT{left, 0, left + h.view->sectionSize(item), h.view->height()};
    return TRUE;
}

const MessageHandler<HeaderControl> kHeaderMessages[] = {
    {HDM_GETITEMCOUNT, OnGetItemCount},
    {HDM_GETITEMRECT, OnGetItemRect},
};

}  // namespace

LRESULT HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kHeaderMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
