#pragma once

#include "platform/gdi/CGdiObject.h"

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // Height in tenths of a point, as the classic helper takes it.
    BOOL CreatePointFont(int pointSizeTenths, LPCWSTR faceName);
    BOOL GetLogFont(LOGFONT* logFont) const;
    operator HFONT() const { return m_hObject; }
    static CFont* FromHandle(HFONT font);
};
