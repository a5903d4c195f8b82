#include "platform/gdi/CRgn.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    if (m_hObject)
        return FALSE;
    m_hObject = ::CreateRectRgn(left, top, right, bottom);
    return m_hObject ? TRUE : FALSE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : FALSE;
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    platform::GdiObject* object = platform::LookupGdiObject(m_hObject, platform::GdiKind::Region);
    if (!object || !rect)
        return ERROR;
    const QRect& r = object->rect;
    *rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return r.isEmpty() ? NULLREGION : SIMPLEREGION;
}

CRgn* CRgn::FromHandle(HRGN region)
{
    return static_cast<CRgn*>(platform::TempGdiObject(region, platform::GdiKind::Region));
}
