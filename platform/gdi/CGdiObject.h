#pragma once
// Base of the drawing objects: owns its handle and deletes it with itself.

#include "platform/gdi/GdiTypes.h"

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    int GetObject(int size, LPVOID buffer) const;
    BOOL CreateStockObject(int index);

    // A wrapper for a handle this object does not own; kept until the handle's
    // object is deleted or the process ends.
    static CGdiObject* FromHandle(HGDIOBJ object);
};
