#pragma once
// The C library's wide-string helpers on the program's UTF-16 text. They are
// overloads on WCHAR (char16_t), so they sit beside the wchar_t ones.
// Character classes and case follow Unicode's simple mappings for the BMP;
// number parsing follows the C library in the "C" locale, with the handheld's
// 32-bit long.

#include "platform/core/Types.h"

#include <cstdarg>
#include <cstddef>
// The standard library's own wide helpers must be declared before these
// overloads, or its using-declarations would pick them up as well.
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <string>

size_t wcslen(const WCHAR* text);
WCHAR* wcscpy(WCHAR* dest, const WCHAR* src);
WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count);  // pads with zeros; no zero when src is longer
WCHAR* wcscat(WCHAR* dest, const WCHAR* src);
int wcscmp(const WCHAR* a, const WCHAR* b);
int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count);
const WCHAR* wcschr(const WCHAR* text, WCHAR ch);
WCHAR* wcschr(WCHAR* text, WCHAR ch);
const WCHAR* wcsrchr(const WCHAR* text, WCHAR ch);
WCHAR* wcsrchr(WCHAR* text, WCHAR ch);
const WCHAR* wcsstr(const WCHAR* text, const WCHAR* sub);
WCHAR* wcsstr(WCHAR* text, const WCHAR* sub);

// Leading white space, a sign, then digits of `base` (2..36; 0 picks 16 for
// "0x", 8 for a leading "0", else 10). `end` receives where parsing stopped,
// or `text` when there were no digits. Overflow clamps and sets errno ERANGE.
LONG wcstol(const WCHAR* text, WCHAR** end, int base);
ULONG wcstoul(const WCHAR* text, WCHAR** end, int base);
// Decimal or hexadecimal floating point, "inf", "infinity" and "nan"; the
// point is always '.'. No digits gives 0 with `end` = `text`.
double wcstod(const WCHAR* text, WCHAR** end);
int _wtoi(const WCHAR* text);
LONG _wtol(const WCHAR* text);
double _wtof(const WCHAR* text);

int iswspace(WCHAR ch);
int iswdigit(WCHAR ch);   // '0'..'9' only
int iswalpha(WCHAR ch);   // Unicode letters
int iswupper(WCHAR ch);
int iswlower(WCHAR ch);
WCHAR towupper(WCHAR ch);
WCHAR towlower(WCHAR ch);

// Formatting as CString::Format. The output never runs past `count` code
// units and ends with a zero whenever `count` > 0. The result is the length
// written, or -1 when the text was cut short.
int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);

// The unbounded forms exist only for arrays, whose size bounds them.
template <size_t N>
int swprintf(WCHAR (&buffer)[N], const WCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, N, format, args);
    va_end(args);
    return n;
}

template <size_t N>
int wsprintf(WCHAR (&buffer)[N], const WCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, N, format, args);
    va_end(args);
    return n;
}
