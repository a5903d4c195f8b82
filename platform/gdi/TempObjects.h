#pragma once
// Wrappers handed out by FromHandle for handles nobody wraps: created with the
// class that fits the object's kind, never owning the handle.

#include "platform/gdi/GdiObject.h"

class CGdiObject;

namespace platform {

CGdiObject* TempGdiObject(HGDIOBJ handle);
// Null unless the handle is live and of `kind`.
CGdiObject* TempGdiObject(HGDIOBJ handle, GdiKind kind);

}  // namespace platform
