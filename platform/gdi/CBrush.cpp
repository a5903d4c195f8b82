#include "platform/gdi/CBrush.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    if (m_hObject)
        return FALSE;
    m_hObject = ::CreateSolidBrush(color);
    return m_hObject ? TRUE : FALSE;
}

BOOL CBrush::CreateSysColorBrush(int index) { return CreateSolidBrush(SYS_COLOR_INDEX_FLAG | index); }

CBrush* CBrush::FromHandle(HBRUSH brush)
{
    return static_cast<CBrush*>(platform::TempGdiObject(brush, platform::GdiKind::Brush));
}
