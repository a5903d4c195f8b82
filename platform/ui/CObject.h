#pragma once
// The root object with run-time class information and dynamic creation.
//
//   class CMainFrame : public CFrameWnd { DECLARE_DYNCREATE(CMainFrame) ... };
//   IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)          // in the .cpp
//   CObject* p = RUNTIME_CLASS(CMainFrame)->CreateObject();
//
// Classes register their CRuntimeClass when their .cpp is linked in, so
// CRuntimeClass::FromName finds them by name.

#include "platform/core/Types.h"

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* (*m_pfnGetBaseClass)();

    CObject* CreateObject() const;   // null unless the class supports dynamic creation
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }

    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCWSTR lpszClassName);
    static void Register(CRuntimeClass* pClass);
};

class CObject {
public:
    virtual ~CObject() = default;
    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name) \
public:                             \
    static CRuntimeClass* GetThisClass(); \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, pfnNew)                              \
    CRuntimeClass* class_name::GetThisClass()                                                      \
    {                                                                                              \
        static CRuntimeClass rc = {#class_name, static_cast<int>(sizeof(class_name)), 0xFFFF, pfnNew, \
                                   &base_class_name::GetThisClass};                                \
        return &rc;                                                                                \
    }                                                                                              \
    CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }      \
    static const bool _afxRegistered_##class_name =                                                \
        (CRuntimeClass::Register(class_name::GetThisClass()), true);

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                            \
    CObject* class_name::CreateObject() { return new class_name; }                  \
    IMPLEMENT_RUNTIMECLASS_(class_name, base_class_name, &class_name::CreateObject)
