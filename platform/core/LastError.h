#pragma once
// The calling thread's last error code, as the platform's functions leave it.

#include "platform/core/Types.h"

DWORD GetLastError();
void SetLastError(DWORD error);

// Codes the core's own functions report beside those of Types.h.
constexpr LONG ERROR_INVALID_FLAGS = 1004;
