#include "platform/ui/controls/commandbar/CommandBarWidget.h"

#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/menu/MenuPopup.h"
#include "platform/system/InputPanel.h"
#include "platform/ui/WinApi.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QToolButton>

namespace platform {
namespace {

QString ToQString(const CString& s) { return QString::fromUtf16(s.GetString(), s.GetLength()); }

void PostCommand(HWND owner, UINT id)
{
    if (id)
        ::PostMessage(owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// A small keyboard: the handheld's input panel button.
QIcon KeyboardIcon()
{
    QPixmap pixmap(18, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 17, 11);
    for (int row = 0; row < 2; ++row)
        for (int key = 0; key < 5; ++key)
            painter.fillRect(2 + key * 3, 2 + row * 3, 2, 2, Qt::black);
    painter.fillRect(4, 8, 10, 2, Qt::black);
    return QIcon(pixmap);
}

}  // namespace

CommandBarState::~CommandBarState()
{
    if (menu)
        ::DestroyMenu(menu);
}

CommandBarState* CommandBarStateOf(HWND bar) { return GetControlData<CommandBarState>(bar); }

CommandBarWidget::CommandBarWidget(HWND hwnd, QWidget* parent)
    : QWidget(parent), m_hwnd(hwnd), m_layout(new QHBoxLayout(this)), m_inputPanel(new QToolButton(this))
{
    auto* panel = static_cast<QToolButton*>(m_inputPanel);
    panel->setIcon(KeyboardIcon());
    panel->setAccessibleName(QStringLiteral("Input Panel"));
    panel->setCheckable(true);
    panel->setChecked(IsInputPanelShown());
    panel->setAutoRaise(true);
    panel->setFocusPolicy(Qt::NoFocus);
    // The tap only asks; the panel's state, told to every bar, checks the button.
    connect(panel, &QToolButton::clicked, this, [panel] {
        panel->setChecked(IsInputPanelShown());
        SipShowIM(IsInputPanelShown() ? SIPF_OFF : SIPF_ON);
    });
    QPointer<QAbstractButton> guard(panel);
    m_panelListener = AddInputPanelListener([guard](bool shown) {
        if (guard)
            guard->setChecked(shown);
    });
    m_layout->setContentsMargins(1, 2, 1, 1);
    m_layout->setSpacing(1);
    m_layout->addStretch(1);
    m_layout->addWidget(m_inputPanel);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Command bar"));
    if (parent)
        parent->installEventFilter(this);
}

void CommandBarWidget::Rebuild()
{
    for (QAbstractButton* button : m_buttons) {
        m_layout->removeWidget(button);
        button->hide();
        button->deleteLater();   // we may be inside its signal
    }
    m_buttons.clear();
    while (QLayoutItem* item = m_layout->takeAt(0))
        delete item;

    const CommandBarState* state = CommandBarStateOf(m_hwnd);
    if (!state)
        return;
    std::size_t tip = 0;
    for (std::size_t i = 0; i < state->buttons.size(); ++i) {
        const CommandBarButton& b = state->buttons[i];
        auto* button = new QToolButton(this);
        button->setText(ToQString(b.label));
        button->setAccessibleName(ToQString(b.label).remove(QLatin1Char('&')));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);   // a tap leaves the focus where the user works
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        if (!b.menu && tip < state->tips.size())
            button->setToolTip(ToQString(state->tips[tip++]));
        connect(button, &QToolButton::clicked, this, [this, i] { Tap(i); });
        m_layout->addWidget(button);
        m_buttons.push_back(button);
    }
    m_layout->addStretch(1);
    if (state->adornments & CMDBAR_OK) {
        auto* ok = new QToolButton(this);
        ok->setText(QStringLiteral("ok"));
        ok->setAccessibleName(QStringLiteral("ok"));
        ok->setAutoRaise(true);
        ok->setFocusPolicy(Qt::NoFocus);
        connect(ok, &QToolButton::clicked, this, [this] { TapOk(); });
        m_layout->addWidget(ok);
        m_buttons.push_back(ok);
    }
    m_layout->addWidget(m_inputPanel);
    for (QAbstractButton* button : m_buttons)
        button->show();
    m_inputPanel->show();
}

CommandBarWidget::~CommandBarWidget() { RemoveInputPanelListener(m_panelListener); }

std::vector<QAbstractButton*> CommandBarWidget::Buttons() const { return m_buttons; }

QAbstractButton* CommandBarWidget::InputPanelButton() const { return m_inputPanel; }

void CommandBarWidget::Dock()
{
    const HWND parent = ::GetParent(m_hwnd);
    RECT client{};
    if (!::GetClientRect(parent, &client))
        return;
    RECT now{};
    ::GetWindowRect(m_hwnd, &now);
    POINT topLeft{now.left, now.top};
    ::ScreenToClient(parent, &topLeft);
    const int top = client.bottom - kCommandBarHeight;
    if (topLeft.x != 0 || topLeft.y != top || now.right - now.left != client.right ||
        now.bottom - now.top != kCommandBarHeight)
        ::MoveWindow(m_hwnd, 0, top, client.right, kCommandBarHeight, TRUE);
    raise();
}

bool CommandBarWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent()) {
        if (event->type() == QEvent::Resize)
            Dock();
        else if (event->type() == QEvent::ChildAdded && static_cast<QChildEvent*>(event)->child() != this)
            raise();   // later siblings (a view) must not cover the bar
    }
    return QWidget::eventFilter(watched, event);
}

void CommandBarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
}

void CommandBarWidget::Tap(std::size_t index)
{
    const HWND bar = m_hwnd;
    const HWND owner = ::GetParent(bar);
    CommandBarState* state = CommandBarStateOf(bar);
    if (!state || index >= state->buttons.size())
        return;
    const CommandBarButton button = state->buttons[index];
    if (!button.menu || button.popup < 0) {
        PostCommand(owner, button.command);
        return;
    }
    const HMENU popup = ::GetSubMenu(state->menu, button.popup);
    if (!popup || !PrepareMenuPopup(popup, owner, static_cast<UINT>(button.popup), true, true))
        return;
    if (!CommandBarStateOf(bar) || index >= m_buttons.size())
        return;   // the update handlers took the bar down
    QMenu* menu = BuildQMenu(popup, this);
    if (!menu)
        return;
    menu->setTitle(ToQString(button.label));   // what a screen reader calls it
    connect(menu, &QMenu::triggered, this, [owner](QAction* action) { PostCommand(owner, action->data().toUInt()); });
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    // The bar is at the bottom of the screen: the pop-up opens upwards.
    const QWidget* anchor = m_buttons[index];
    QPoint at = anchor->mapToGlobal(QPoint(0, 0));
    at.ry() -= menu->sizeHint().height();
    menu->popup(at);
}

void CommandBarWidget::TapOk() { PostCommand(::GetParent(m_hwnd), IDOK); }

}  // namespace platform
