#pragma once
// The Qt side of a report list view (platform internal): a QTreeWidget with
// one top-level row per item, reporting taps (NM_CLICK after the selection
// has moved), selection changes (LVN_ITEMCHANGED) and header taps
// (LVN_COLUMNCLICK) to the parent as WM_NOTIFY. Its header is a window of its
// own, a child of the list (class "SysHeader32"), whose widget is the tree's
// QHeaderView.

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Window.h"

#include <QTreeWidget>

namespace platform {

struct ListState : ControlData {
    int selectionMark = -1;
    DWORD extendedStyle = 0;
    int internal = 0;          // changes the parent is not told of (deleting, sorting)
    HWND header = nullptr;     // the header's own child window
    COLORREF bkColor;          // the list's background
    COLORREF textColor;        // the items' text
    COLORREF textBkColor;      // behind the items' text; CLR_NONE: the background shows
    int rowHeight = 0;         // measured with the first row; 0 until then and after a font change
    ListState();
};

class ListViewWidget : public QTreeWidget {
public:
    ListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
    // Takes the list's colours and styles anew.
    void ApplyLook();
    // The height of a row in the list's font.
    int RowHeight();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void updateGeometries() override;

private:
    void OnSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
    HWND m_hwnd;
};

QWidget* MakeListViewWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);
// The header's window takes the widget of its list's header, which stays the
// list's; a header outside a list gets a header view of its own.
QWidget* MakeHeaderWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

// The header window lies across the top of the list's client area, as high
// as its items need.
void PlaceListHeader(HWND list);
// The list decides which scroll bars it shows from its rows and columns, as
// the handheld's does, so its client area is known at once (Qt would decide
// later); a change of client area is the list's WM_SIZE.
void UpdateListScrollBars(HWND list);

// Sends a list view notification to the window's parent.
LRESULT NotifyList(HWND hwnd, UINT code, int item, int subItem, UINT newState = 0, UINT oldState = 0,
                   UINT changed = 0, POINT at = {0, 0});

}  // namespace platform
