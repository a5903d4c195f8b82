#include "platform/ui/Resources.h"

#include "platform/gdi/BitmapResources.h"
#include "platform/ui/ResourceRegistry.h"

#include <algorithm>

namespace {

// Any non-null value will do: there is only the program's own module.
int g_module = 0;

const platform::CustomResource* Resource(HRSRC handle) { return static_cast<const platform::CustomResource*>(handle); }

}  // namespace

HINSTANCE AfxGetInstanceHandle() { return &g_module; }
HINSTANCE AfxGetResourceHandle() { return &g_module; }

HRSRC FindResource(HMODULE /*hModule*/, LPCWSTR lpName, LPCWSTR lpType)
{
    return const_cast<platform::CustomResource*>(platform::FindCustomResource(lpType, lpName));
}

HGLOBAL LoadResource(HMODULE /*hModule*/, HRSRC hResInfo) { return hResInfo; }

LPVOID LockResource(HGLOBAL hResData)
{
    if (!hResData)
        return nullptr;
    auto* r = static_cast<platform::CustomResource*>(hResData);
    return r->data.empty() ? nullptr : r->data.data();
}

DWORD SizeofResource(HMODULE /*hModule*/, HRSRC hResInfo)
{
    return hResInfo ? static_cast<DWORD>(Resource(hResInfo)->data.size()) : 0;
}

int LoadString(HINSTANCE /*hInstance*/, UINT uID, LPWSTR lpBuffer, int nBufferMax)
{
    if (!lpBuffer || nBufferMax <= 0)
        return 0;
    lpBuffer[0] = 0;
    CString text;
    if (!platform::LookupString(uID, text))
        return 0;
    const int n = std::min(nBufferMax - 1, text.GetLength());
    for (int i = 0; i < n; ++i)
        lpBuffer[i] = text.GetAt(i);
    lpBuffer[n] = 0;
    return n;
}

HBITMAP LoadBitmap(HINSTANCE /*hInstance*/, LPCWSTR lpBitmapName)
{
    if (!lpBitmapName)
        return nullptr;
    UINT id = 0;
    if (IS_INTRESOURCE(lpBitmapName)) {
        id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(lpBitmapName));
    } else if (lpBitmapName[0] == u'#') {
        for (const WCHAR* p = lpBitmapName + 1; *p; ++p) {
            if (*p < u'0' || *p > u'9' || id > 0xFFFF)
                return nullptr;
            id = id * 10 + (*p - u'0');
        }
    } else {
        return nullptr;
    }
    return platform::LoadBitmapResource(id);
}
