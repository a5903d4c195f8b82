#include "platform/ui/controls/button/ButtonWidget.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/WinApi.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace platform {
namespace {

template <class Base>
class ButtonOf : public Base {
public:
    ButtonOf(HWND hwnd, QWidget* parent) : Base(parent)
    {
        QObject::connect(this, &QAbstractButton::clicked, this, [hwnd] { ClickButton(hwnd); });
    }

protected:
    void nextCheckState() override {}
    // The whole rectangle takes taps, not just the box and its label.
    bool hitButton(const QPoint& pos) const override { return this->rect().contains(pos); }
};

DWORD TypeOf(const Window& w) { return w.style & BS_TYPEMASK; }

}  // namespace

QWidget* MakeButtonWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    const DWORD style = static_cast<DWORD>(cs.style);
    const QString text =
        (cs.lpszName && !IS_INTRESOURCE(cs.lpszName)) ? QString::fromUtf16(cs.lpszName) : QString();
    QWidget* widget = nullptr;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = new ButtonOf<QCheckBox>(hwnd, parent);
        box->setText(text);
        box->setTristate((style & BS_TYPEMASK) == BS_3STATE || (style & BS_TYPEMASK) == BS_AUTO3STATE);
        widget = box;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        auto* radio = new ButtonOf<QRadioButton>(hwnd, parent);
        radio->setAutoExclusive(false);   // groups follow WS_GROUP, not the parent widget
        radio->setText(text);
        widget = radio;
        break;
    }
    case BS_GROUPBOX: {
        auto* group = new QGroupBox(text, parent);
        group->setFocusPolicy(Qt::NoFocus);
        return group;
    }
    default: {
        auto* push = new ButtonOf<QPushButton>(hwnd, parent);
        push->setText(text);
        push->setAutoDefault(false);
        push->setDefault((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        widget = push;
        break;
    }
    }
    widget->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    return widget;
}

int ButtonCheck(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    auto* button = w ? qobject_cast<QAbstractButton*>(w->widget.data()) : nullptr;
    if (!button || !button->isCheckable())
        return BST_UNCHECKED;
    if (auto* box = qobject_cast<QCheckBox*>(button))
        return box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
               : box->checkState() == Qt::Checked        ? BST_CHECKED
                                                         : BST_UNCHECKED;
    return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void SetButtonCheck(HWND hwnd, int check)
{
    Window* w = LookupWindow(hwnd);
    auto* button = w ? qobject_cast<QAbstractButton*>(w->widget.data()) : nullptr;
    if (!button || !button->isCheckable())
        return;
    if (auto* box = qobject_cast<QCheckBox*>(button); box && box->isTristate())
        box->setCheckState(check == BST_INDETERMINATE ? Qt::PartiallyChecked
                           : check == BST_CHECKED     ? Qt::Checked
                                                      : Qt::Unchecked);
    else
        button->setChecked(check == BST_CHECKED);
}

std::vector<HWND> ButtonGroup(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    Window* parent = w ? LookupWindow(w->parent) : nullptr;
    if (!parent)
        return {hwnd};
    const auto& siblings = parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), hwnd);
    if (at == siblings.end())
        return {hwnd};
    auto first = at;
    while (first != siblings.begin()) {
        Window* s = LookupWindow(*first);
        if (s && (s->style & WS_GROUP))
            break;
        --first;
    }
    std::vector<HWND> group;
    for (auto it = first; it != siblings.end(); ++it) {
        Window* s = LookupWindow(*it);
        if (!s)
            continue;
        if (it != first && (s->style & WS_GROUP))
            break;
        group.push_back(*it);
    }
    return group;
}

void ClickButton(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->enabled)
        return;
    switch (TypeOf(*w)) {
    case BS_AUTOCHECKBOX:
        SetButtonCheck(hwnd, ButtonCheck(hwnd) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE: {
        const int next[] = {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED};
        SetButtonCheck(hwnd, next[std::clamp(ButtonCheck(hwnd), 0, 2)]);
        break;
    }
    case BS_AUTORADIOBUTTON:
        for (HWND other : ButtonGroup(hwnd)) {
            Window* o = LookupWindow(other);
            if (other != hwnd && o && o->className.CompareNoCase(WC_BUTTON) == 0 &&
                TypeOf(*o) == BS_AUTORADIOBUTTON)
                SetButtonCheck(other, BST_UNCHECKED);
        }
        SetButtonCheck(hwnd, BST_CHECKED);
        break;
    default:
        break;
    }
    NotifyParent(hwnd, BN_CLICKED);
}

}  // namespace platform
