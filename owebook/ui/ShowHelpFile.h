#pragma once
// Opens a help file of the device's \windows folder in the help viewer.

#include "platform/core/Types.h"

// The process start's result; a failure shows nothing.
BOOL ShowHelpFile(LPCWSTR lpszHelpFile);
