#include "platform/ui/qt/CaptionStrip.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace platform {

CaptionStrip::CaptionStrip(HWND hwnd, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    MarkNotAWindow(this);
    setFixedHeight(kCaptionStripHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_ACTIVECAPTION)));
    pal.setColor(QPalette::WindowText, ToQColor(GetSysColor(COLOR_CAPTIONTEXT)));
    pal.setColor(QPalette::ButtonText, ToQColor(GetSysColor(COLOR_CAPTIONTEXT)));
    pal.setColor(QPalette::Button, ToQColor(GetSysColor(COLOR_ACTIVECAPTION)));
    setPalette(pal);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 4, 0);
    m_title = new QLabel(this);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    m_title->setFont(font);
    layout->addWidget(m_title, 1);

    m_ok = new QToolButton(this);
    m_ok->setText(QStringLiteral("ok"));
    m_ok->setFont(font);
    m_ok->setAutoRaise(true);
    m_ok->setFocusPolicy(Qt::NoFocus);
    m_ok->setAccessibleName(QStringLiteral("ok"));
    m_ok->setAccessibleDescription(QStringLiteral("Close and keep the changes"));
    m_ok->setVisible(false);
    layout->addWidget(m_ok);
    QObject::connect(m_ok, &QToolButton::clicked, this, [this] { ClickOk(); });
}

void CaptionStrip::SetTitle(const QString& title)
{
    m_title->setText(title);
    setAccessibleName(title);
}

void CaptionStrip::SetOkVisible(bool visible) { m_ok->setVisible(visible); }

void CaptionStrip::ClickOk()
{
    if (::IsWindow(m_hwnd) && ::IsWindowEnabled(m_hwnd))
        ::SendMessage(m_hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

}  // namespace platform
