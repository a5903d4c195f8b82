#include "platform/ui/controls/header/HeaderProc.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/header/HeaderWidget.h"
#include "platform/ui/controls/listview/ListItems.h"

#include <QHeaderView>

#include <algorithm>

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

// Text, alignment and format bits live in the model's header data, so the
// list's columns and the header's items are the same thing.
LRESULT OnGetItem(HeaderControl& h, WPARAM wParam, LPARAM lParam)
{
    auto* hd = reinterpret_cast<HDITEM*>(lParam);
    const int item = static_cast<int>(wParam);
    QAbstractItemModel* model = h.view->model();
    if (!hd || !model || item < 0 || item >= h.view->count())
        return FALSE;
    if (hd->mask & HDI_WIDTH)
        hd->cxy = h.view->sectionSize(item);
    if (hd->mask & HDI_FORMAT) {
        const auto alignment = Qt::Alignment(model->headerData(item, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
        hd->fmt = FormatOf(alignment) | HDF_STRING | HeaderExtraFormat(*h.view, item);
    }
    if (hd->mask & HDI_TEXT)
        CopyText(model->headerData(item, Qt::Horizontal, Qt::DisplayRole).toString(), hd->pszText, hd->cchTextMax);
    return TRUE;
}

LRESULT OnSetItem(HeaderControl& h, WPARAM wParam, LPARAM lParam)
{
    const auto* hd = reinterpret_cast<const HDITEM*>(lParam);
    const int item = static_cast<int>(wParam);
    QAbstractItemModel* model = h.view->model();
    if (!hd || !model || item < 0 || item >= h.view->count())
        return FALSE;
    if (hd->mask & HDI_FORMAT) {
        model->setHeaderData(item, Qt::Horizontal, static_cast<int>(AlignmentOf(hd->fmt & HDF_JUSTIFYMASK)),
                             Qt::TextAlignmentRole);
        model->setHeaderData(item, Qt::Horizontal, hd->fmt & HDF_OWNERDRAW, kHeaderFormatRole);
    }
    if (hd->mask & HDI_TEXT)
        model->setHeaderData(item, Qt::Horizontal, ListText(hd->pszText), Qt::DisplayRole);
    if (hd->mask & HDI_WIDTH)
        h.view->resizeSection(item, std::max(0, hd->cxy));
    h.view->viewport()->update();
    return TRUE;
}

const MessageHandler<HeaderControl> kHeaderMessages[] = {
    {HDM_GETITEMCOUNT, OnGetItemCount},
    {HDM_GETITEMRECT, OnGetItemRect},
    {HDM_GETITEMW, OnGetItem},
    {HDM_SETITEMW, OnSetItem},
};

}  // namespace

LRESULT HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kHeaderMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
