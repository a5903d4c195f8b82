#include "platform/ui/controls/combo/ComboWidget.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/WinApi.h"

#include <QLineEdit>
#include <QResizeEvent>

#include <algorithm>

namespace platform {

ComboWidget::ComboWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) : QComboBox(parent), m_hwnd(hwnd)
{
    const DWORD style = static_cast<DWORD>(cs.style);
    const bool editable = (style & 0x3) == CBS_DROPDOWN || (style & 0x3) == CBS_SIMPLE;
    setEditable(editable);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(8);
    setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    if (editable) {
        setCompleter(nullptr);   // the handheld's box does not complete what is typed
        lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
        if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName))
            lineEdit()->setText(QString::fromUtf16(cs.lpszName));
        connect(lineEdit(), &QLineEdit::textEdited, this, [hwnd] {
            NotifyParent(hwnd, CBN_EDITUPDATE);
            if (::IsWindow(hwnd))
                NotifyParent(hwnd, CBN_EDITCHANGE);
        });
    }
    setCurrentIndex(-1);
    connect(this, &QComboBox::currentIndexChanged, this, [hwnd] {
        ComboState* state = GetControlData<ComboState>(hwnd);
        if (state && !state->internal)
            NotifyParent(hwnd, CBN_SELCHANGE);
    });
}

void ComboWidget::showPopup()
{
    const HWND hwnd = m_hwnd;
    NotifyParent(hwnd, CBN_DROPDOWN);
    if (!LookupWindow(hwnd))
        return;
    m_popupShown = true;
    QComboBox::showPopup();
}

void ComboWidget::hidePopup()
{
    const bool wasShown = m_popupShown;
    m_popupShown = false;
    QComboBox::hidePopup();
    if (wasShown)
        NotifyParent(m_hwnd, CBN_CLOSEUP);
}

void ComboWidget::resizeEvent(QResizeEvent* event)
{
    const int closed = std::min(event->size().height(), sizeHint().height());
    if (event->size().height() > closed) {
        resize(event->size().width(), closed);
        // The edit field is laid out in the closed box now, whether or not
        // the box's own resize event comes at once (a hidden box's does not).
        QResizeEvent fitted(size(), event->oldSize());
        QComboBox::resizeEvent(&fitted);
        return;
    }
    QComboBox::resizeEvent(event);
}

QWidget* MakeComboWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    w->controlData = std::make_unique<ComboState>();
    return new ComboWidget(hwnd, cs, parent);
}

}  // namespace platform
