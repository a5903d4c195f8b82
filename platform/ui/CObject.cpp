#include "platform/ui/CObject.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<CRuntimeClass*>& Classes()
{
    static std::vector<CRuntimeClass*> classes;
    return classes;
}

}  // namespace

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* c = this; c; c = c->GetBaseClass())
        if (c == pBaseClass)
            return TRUE;
    return FALSE;
}

void CRuntimeClass::Register(CRuntimeClass* pClass)
{
    for (CRuntimeClass* c : Classes())
        if (c == pClass)
            return;
    Classes().push_back(pClass);
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    for (CRuntimeClass* c : Classes())
        if (std::strcmp(c->m_lpszClassName, lpszClassName) == 0)
            return c;
    return nullptr;
}

CRuntimeClass* CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    std::string narrow;
    for (const WCHAR* p = lpszClassName; *p; ++p) {
        if (*p > 0x7F)
            return nullptr;   // class names are plain ASCII
        narrow += static_cast<char>(*p);
    }
    return FromName(narrow.c_str());
}

CRuntimeClass* CObject::GetThisClass()
{
    static CRuntimeClass rc = {"CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr};
    return &rc;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return CObject::GetThisClass(); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }
