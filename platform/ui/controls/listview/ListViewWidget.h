#pragma once
// The Qt side of a report list view (platform internal): a QTreeWidget with
// one top-level row per item, reporting taps (NM_CLICK after the selection
// has moved), selection changes (LVN_ITEMCHANGED) and header taps
// (LVN_COLUMNCLICK) to the parent as WM_NOTIFY.

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Window.h"

#include <QTreeWidget>

namespace platform {

struct ListState : ControlData {
    int selectionMark = -1;
    DWORD extendedStyle = 0;
    int internal = 0;          // changes the parent is not told of (deleting, sorting)
    HWND header = nullptr;     // the header's own child window
};

class ListViewWidget : public QTreeWidget {
public:
    ListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    HWND m_hwnd;
};

QWidget* MakeListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
// The header's window: a see-through layer over the list's header, so the
// program can reach (and later paint) the header as a window of its own.
QWidget* MakeHeaderWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

// Sends a list view notification to the window's parent.
LRESULT NotifyList(HWND hwnd, UINT code, int item, int subItem, UINT newState = 0, UINT oldState = 0,
                   UINT changed = 0, POINT at = {0, 0});

}  // namespace platform
