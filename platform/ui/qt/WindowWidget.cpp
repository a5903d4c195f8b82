#include "platform/ui/qt/WindowWidget.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Window.h"

namespace platform {

WindowWidget::WindowWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    setObjectName(QStringLiteral("platform::WindowWidget"));
    // A program's own child window paints its background itself.
    const bool custom = (cs.style & WS_CHILD) && cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass) &&
                        CString(cs.lpszClass).CompareNoCase(WC_DIALOG) != 0;
    setAutoFillBackground(!custom);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(GetSysColor(COLOR_WINDOW)));
    pal.setColor(QPalette::WindowText, ToQColor(GetSysColor(COLOR_WINDOWTEXT)));
    setPalette(pal);
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName))
        setAccessibleName(QString::fromUtf16(cs.lpszName));
    setFocusPolicy((cs.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace platform
