#include "platform/ui/controls/propsheet/TabStripProc.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"
#include "platform/ui/controls/propsheet/TabStripWidget.h"

#include <algorithm>

namespace platform {
namespace {

struct TabStrip {
    explicit TabStrip(HWND h) : hwnd(h)
    {
        if (Window* w = LookupWindow(h))
            tabs = dynamic_cast<TabStripWidget*>(w->widget.data());
    }
    bool Valid() const { return tabs != nullptr; }

    HWND hwnd;
    TabStripWidget* tabs = nullptr;
};

int IntOf(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

LRESULT OnGetItemCount(TabStrip& t, WPARAM, LPARAM) { return t.tabs->count(); }

LRESULT OnInsertItem(TabStrip& t, WPARAM wParam, LPARAM lParam)
{
    const auto* item = reinterpret_cast<const TCITEM*>(lParam);
    if (!item)
        return -1;
    const int at = std::clamp(IntOf(wParam), 0, t.tabs->count());
    const QString text = (item->mask & TCIF_TEXT) ? FromWide(item->pszText) : QString();
    const int current = t.tabs->currentIndex();
    const int index = t.tabs->insertTab(at, text);
    t.tabs->setTabData(index, QVariant::fromValue<qlonglong>((item->mask & TCIF_PARAM) ? item->lParam : 0));
    // The first tab becomes current by itself; later ones leave it alone.
    if (current >= 0 && t.tabs->currentIndex() != (index <= current ? current + 1 : current))
        t.tabs->SelectQuietly(index <= current ? current + 1 : current);
    return index;
}

LRESULT OnGetItem(TabStrip& t, WPARAM wParam, LPARAM lParam)
{
    auto* item = reinterpret_cast<TCITEM*>(lParam);
    const int index = IntOf(wParam);
    if (!item || index < 0 || index >= t.tabs->count())
        return FALSE;
    if (item->mask & TCIF_TEXT)
        CopyText(t.tabs->tabText(index), item->pszText, item->cchTextMax);
    if (item->mask & TCIF_PARAM)
        item->lParam = static_cast<LPARAM>(t.tabs->tabData(index).toLongLong());
    return TRUE;
}

LRESULT OnDeleteAllItems(TabStrip& t, WPARAM, LPARAM)
{
    while (t.tabs->count() > 0)
        t.tabs->removeTab(0);
    return TRUE;
}

LRESULT OnGetCurSel(TabStrip& t, WPARAM, LPARAM) { return t.tabs->currentIndex(); }

LRESULT OnSetCurSel(TabStrip& t, WPARAM wParam, LPARAM)
{
    const int index = IntOf(wParam);
    if (index < 0 || index >= t.tabs->count())
        return -1;
    const int previous = t.tabs->currentIndex();
    t.tabs->SelectQuietly(index);
    return previous;
}

const MessageHandler<TabStrip> kTabMessages[] = {
    {TCM_GETITEMCOUNT, OnGetItemCount}, {TCM_INSERTITEM, OnInsertItem}, {TCM_GETITEM, OnGetItem},
    {TCM_DELETEALLITEMS, OnDeleteAllItems}, {TCM_GETCURSEL, OnGetCurSel}, {TCM_SETCURSEL, OnSetCurSel},
};

}  // namespace

LRESULT TabStripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kTabMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
