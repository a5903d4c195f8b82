#pragma once
// The texts the user reads for amounts and dates.

#include "platform/core/CString.h"

// Fixed notation with `decimals` places, then trailing zeros and a bare point
// dropped; an amount that rounds to zero is shown as nothing at all.
void FormatAmount(double value, int decimals, CString& text);

// Local short date, one blank, local time; the length of the text, or 0 when
// the date or the time cannot be formatted.
int FormatDateTime(DWORD time, CString& text);
