#include "platform/ui/qt/AccessibilitySupport.h"

#include "platform/core/CString.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace platform {
namespace {

// Qt keeps a screen's top-left corner in device pixels and scales only
// within the screen; on X11 a window's device pixel ratio is all Qt's scaling.
struct ScreenScale {
    QPointF origin;
    qreal factor = 1;
};

ScreenScale ScaleOf(const QWidget* widget)
{
    const QWidget* top = widget ? widget->window() : nullptr;
    QWindow* handle = top ? top->windowHandle() : nullptr;
    QScreen* screen = handle ? handle->screen() : top ? top->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    return {QPointF(screen->geometry().topLeft()), handle ? handle->devicePixelRatio() : screen->devicePixelRatio()};
}

}  // namespace

QRect ToDevicePixels(const QRect& rect, const QWidget* widget)
{
    if (rect.isNull())
        return rect;
    const ScreenScale s = ScaleOf(widget);
    const QPointF topLeft = s.origin + (QPointF(rect.topLeft()) - s.origin) * s.factor;
    return QRect(topLeft.toPoint(), QSize(qRound(rect.width() * s.factor), qRound(rect.height() * s.factor)));
}

QPoint FromDevicePixels(const QPoint& point, const QWidget* widget)
{
    const ScreenScale s = ScaleOf(widget);
    return (s.origin + (QPointF(point) - s.origin) / s.factor).toPoint();
}

QRect DeviceRectOf(const QWidget* widget)
{
    if (!widget || !widget->isVisible())
        return QRect();
    return ToDevicePixels(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()), widget);
}

QString WithoutMnemonic(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&'))
                out += text.at(++i);
            continue;
        }
        out += text.at(i);
    }
    return out;
}

QString MenuEntryName(const QString& text) { return WithoutMnemonic(text.section(QLatin1Char('\t'), 0, 0)); }

HWND WindowOwning(const QWidget* widget)
{
    const HWND hwnd = HwndOfWidget(widget);
    const Window* w = LookupWindow(hwnd);
    return (w && widget && (w->widget == widget || w->frame == widget)) ? hwnd : nullptr;
}

bool IsWindowClass(HWND hwnd, const char16_t* className)
{
    WCHAR name[64] = {};
    return hwnd && ::GetClassName(hwnd, name, 64) > 0 && CString(name).CompareNoCase(className) == 0;
}

QString WindowText(HWND hwnd)
{
    const int length = ::IsWindow(hwnd) ? ::GetWindowTextLength(hwnd) : 0;
    if (length <= 0)
        return QString();
    std::vector<WCHAR> buffer(static_cast<std::size_t>(length) + 1, 0);
    const int copied = ::GetWindowText(hwnd, buffer.data(), length + 1);
    return QString::fromUtf16(buffer.data(), std::clamp(copied, 0, length));
}

QString LabelBefore(HWND hwnd)
{
    const HWND before = ::GetWindow(hwnd, GW_HWNDPREV);
    if (!IsWindowClass(before, WC_STATIC))
        return QString();
    const DWORD style = static_cast<DWORD>(::GetWindowLong(before, GWL_STYLE));
    const DWORD type = style & SS_TYPEMASK;
    if (type == SS_BITMAP || type == SS_ICON)
        return QString();
    const QString text = WindowText(before);
    return (style & SS_NOPREFIX) ? text : WithoutMnemonic(text);
}

QAccessibleInterface* PartInterfaces::Get(long long key, const std::function<QAccessibleInterface*()>& make)
{
    if (auto it = m_ids.find(key); it != m_ids.end()) {
        if (QAccessibleInterface* part = QAccessible::accessibleInterface(it->second))
            return part;
        m_ids.erase(it);
    }
    QAccessibleInterface* part = make();
    if (part)
        m_ids[key] = QAccessible::registerAccessibleInterface(part);
    return part;
}

void PartInterfaces::Clear()
{
    const auto ids = std::move(m_ids);
    m_ids.clear();
    for (const auto& [key, id] : ids)
        QAccessible::deleteAccessibleInterface(id);
}

}  // namespace platform
