#pragma once

#include "platform/gdi/CGdiObject.h"

class CBitmap : public CGdiObject {
public:
    // From the program's bitmap resources (platform/gdi/BitmapResources.h).
    BOOL LoadBitmap(UINT id);
    BOOL CreateBitmap(int width, int height);   // white, 32 bits per pixel
    BOOL GetBitmap(BITMAP* bitmap) const;
    operator HBITMAP() const { return m_hObject; }
    static CBitmap* FromHandle(HBITMAP bitmap);
};
