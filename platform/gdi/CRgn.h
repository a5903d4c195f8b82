#pragma once
// Rectangular regions, which is all the program clips with.

#include "platform/gdi/CGdiObject.h"

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    int GetRgnBox(LPRECT rect) const;
    operator HRGN() const { return m_hObject; }
    static CRgn* FromHandle(HRGN region);
};
