#include "platform/gdi/CBitmap.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

BOOL CBitmap::LoadBitmap(UINT id)
{
    if (m_hObject)
        return FALSE;
    m_hObject = platform::LoadBitmapResource(id);
    return m_hObject ? TRUE : FALSE;
}

BOOL CBitmap::CreateBitmap(int width, int height)
{
    if (m_hObject || width <= 0 || height <= 0)
        return FALSE;
    m_hObject = platform::CreateBitmapObject(width, height);
    return m_hObject ? TRUE : FALSE;
}

BOOL CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return GetObject(sizeof(BITMAP), bitmap) == sizeof(BITMAP) ? TRUE : FALSE;
}

CBitmap* CBitmap::FromHandle(HBITMAP bitmap)
{
    return static_cast<CBitmap*>(platform::TempGdiObject(bitmap, platform::GdiKind::Bitmap));
}
