#pragma once
// Handles of the platform's kernel objects (mutexes, processes, ...): a HANDLE
// is the address of a KernelObject that the table below knows, so a stale or
// made-up handle is refused instead of being dereferenced.

#include "platform/core/Types.h"

#include <memory>

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
};

// Takes ownership; the object lives until CloseHandle.
HANDLE AddHandle(std::unique_ptr<KernelObject> object);

// The live object behind `handle`, or null. Callers must not keep the
// pointer across a CloseHandle of another thread.
KernelObject* FindHandle(HANDLE handle);

}  // namespace platform

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// Pseudo handles (GetCurrentThread and the like) close as a no-op.
BOOL CloseHandle(HANDLE handle);
