#include "platform/gdi/CGdiObject.h"

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object || m_hObject)
        return FALSE;
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(Detach());
    return ok;
}

int CGdiObject::GetObject(int size, LPVOID buffer) const { return ::GetObject(m_hObject, size, buffer); }

BOOL CGdiObject::CreateStockObject(int index)
{
    if (m_hObject)
        return FALSE;
    m_hObject = ::GetStockObject(index);
    // Stock objects are shared: deleting them is refused, so owning the handle is harmless.
    return m_hObject ? TRUE : FALSE;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ object) { return platform::TempGdiObject(object); }
