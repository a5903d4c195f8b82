#include "platform/gdi/CFont.h"

#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/TempObjects.h"

#include <cmath>

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    if (m_hObject || !logFont)
        return FALSE;
    m_hObject = ::CreateFontIndirect(logFont);
    return m_hObject ? TRUE : FALSE;
}

BOOL CFont::CreatePointFont(int pointSizeTenths, LPCWSTR faceName)
{
    const LONG height = -static_cast<LONG>(std::lround(pointSizeTenths * platform::kLogPixelsY / 720.0));
    LOGFONT lf = platform::MakeLogFont(faceName ? QString::fromUtf16(faceName) : QString(), height);
    return CreateFontIndirect(&lf);
}

BOOL CFont::GetLogFont(LOGFONT* logFont) const
{
    return GetObject(sizeof(LOGFONT), logFont) == sizeof(LOGFONT) ? TRUE : FALSE;
}

CFont* CFont::FromHandle(HFONT font)
{
    return static_cast<CFont*>(platform::TempGdiObject(font, platform::GdiKind::Font));
}
