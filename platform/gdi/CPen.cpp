#include "platform/gdi/CPen.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    if (m_hObject)
        return FALSE;
    m_hObject = ::CreatePen(style, width, color);
    return m_hObject ? TRUE : FALSE;
}

CPen* CPen::FromHandle(HPEN pen)
{
    return static_cast<CPen*>(platform::TempGdiObject(pen, platform::GdiKind::Pen));
}
