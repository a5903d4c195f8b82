#include "platform/ui/controls/static/StaticWidget.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/WinApi.h"

#include <QPainter>

namespace platform {
namespace {

// "#123" names bitmap 123.
UINT BitmapIdOf(const CString& text)
{
    if (text.GetLength() < 2 || text.GetAt(0) != u'#')
        return 0;
    UINT id = 0;
    for (int i = 1; i < text.GetLength(); ++i) {
        const WCHAR c = text.GetAt(i);
        if (c < u'0' || c > u'9' || id > 0xFFFF)
            return 0;
        id = id * 10 + (c - u'0');
    }
    return id;
}

}  // namespace

StaticState::~StaticState()
{
    if (ownsBitmap && bitmap)
        ::DeleteObject(bitmap);
}

HBITMAP StaticBitmap(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    auto* state = GetControlData<StaticState>(hwnd);
    if (!w || !state)
        return nullptr;
    if (!state->bitmap) {
        if (const UINT id = BitmapIdOf(w->text)) {
            state->bitmap = LoadBitmapResource(id);
            state->ownsBitmap = state->bitmap != nullptr;
        }
    }
    return state->bitmap;
}

StaticWidget::StaticWidget(HWND hwnd, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    setFocusPolicy(Qt::NoFocus);
}

void StaticWidget::paintEvent(QPaintEvent*)
{
    Window* w = LookupWindow(m_hwnd);
    if (!w)
        return;
    const HWND self = m_hwnd;
    QPainter painter(this);
    DeviceContext dc(&painter);
    dc.defaultFont = font();
    // The font given with WM_SETFONT, as selected before the parent's colour
    // message, which may select another.
    if (LookupGdiObject(w->font, GdiKind::Font))
        dc.state.font = w->font;
    dc.state.textColor = GetSysColor(COLOR_STATICTEXT);
    dc.state.bkColor = GetSysColor(COLOR_STATIC);
    HBRUSH brush = reinterpret_cast<HBRUSH>(::SendMessage(w->parent, WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc.Handle()),
                                                          reinterpret_cast<LPARAM>(self)));
    if (!(w = LookupWindow(self)))
        return;
    const QRect r = rect();
    if (GdiObject* b = LookupGdiObject(brush, GdiKind::Brush); b && !b->hollow)
        painter.fillRect(r, ToQColor(b->color));
    const DWORD type = w->style & SS_TYPEMASK;
    if (type == SS_BITMAP) {
        if (GdiObject* bitmap = LookupGdiObject(StaticBitmap(self), GdiKind::Bitmap)) {
            QPoint at(0, 0);
            if (w->style & SS_CENTERIMAGE)
                at = QPoint((r.width() - bitmap->image.width()) / 2, (r.height() - bitmap->image.height()) / 2);
            painter.drawImage(at, bitmap->image);
        }
        return;
    }
    painter.setFont(dc.Font());
    painter.setPen(ToQColor(dc.state.textColor));
    int flags = Qt::AlignTop;
    switch (type) {
    case SS_CENTER: flags = Qt::AlignHCenter | Qt::TextWordWrap; break;
    case SS_RIGHT: flags = Qt::AlignRight | Qt::TextWordWrap; break;
    case SS_LEFTNOWORDWRAP: flags = Qt::AlignLeft; break;
    default: flags = Qt::AlignLeft | Qt::TextWordWrap; break;
    }
    flags |= (w->style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    QString text = QString::fromUtf16(w->text.GetString(), w->text.GetLength());
    if (!(w->style & SS_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    painter.drawText(r, flags, text);
}

QWidget* MakeStaticWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    w->controlData = std::make_unique<StaticState>();
    return new StaticWidget(hwnd, parent);
}

}  // namespace platform
