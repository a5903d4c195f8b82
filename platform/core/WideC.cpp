#include "platform/core/WideC.h"

#include "platform/core/CString.h"

#include <QChar>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

template <typename Char>
Char* FindChar(Char* text, WCHAR ch)
{
    if (!text)
        return nullptr;
    for (;; ++text) {
        if (*text == ch)
            return text;
        if (!*text)
            return nullptr;
    }
}

template <typename Char>
Char* FindLastChar(Char* text, WCHAR ch)
{
    if (!text)
        return nullptr;
    Char* last = nullptr;
    for (;; ++text) {
        if (*text == ch)
            last = text;
        if (!*text)
            return last;
    }
}

template <typename Char>
Char* FindString(Char* text, const WCHAR* sub)
{
    if (!text || !sub)
        return nullptr;
    if (!*sub)
        return text;
    for (; *text; ++text) {
        size_t i = 0;
        while (sub[i] && text[i] == sub[i])
            ++i;
        if (!sub[i])
            return text;
    }
    return nullptr;
}

int DigitValue(WCHAR ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'z')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'Z')
        return ch - u'A' + 10;
    return 99;
}

// The shared part of wcstol and wcstoul: the magnitude saturates at `limit`.
struct ParsedInteger {
    unsigned long long magnitude = 0;
    bool negative = false;
    bool overflow = false;
    const WCHAR* end = nullptr;
};

ParsedInteger ParseInteger(const WCHAR* text, int base, unsigned long long limit)
{
    ParsedInteger r;
    r.end = text;
    if (!text || base < 0 || base == 1 || base > 36) {
        errno = EINVAL;
        return r;
    }
    const WCHAR* p = text;
    while (iswspace(*p))
        ++p;
    if (*p == u'+' || *p == u'-')
        r.negative = *p++ == u'-';
    if ((base == 0 || base == 16) && p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && DigitValue(p[2]) < 16) {
        p += 2;
        base = 16;
    } else if (base == 0) {
        base = *p == u'0' ? 8 : 10;
    }
    const WCHAR* digits = p;
    for (; DigitValue(*p) < base; ++p) {
        unsigned d = static_cast<unsigned>(DigitValue(*p));
        if (r.overflow || r.magnitude > (limit - d) / static_cast<unsigned>(base))
            r.overflow = true;
        else
            r.magnitude = r.magnitude * static_cast<unsigned>(base) + d;
    }
    if (p != digits)
        r.end = p;
    return r;
}

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

size_t wcslen(const WCHAR* text)
{
    size_t n = 0;
    while (text && text[n])
        ++n;
    return n;
}

WCHAR* wcscpy(WCHAR* dest, const WCHAR* src)
{
    size_t i = 0;
    do {
        dest[i] = src[i];
    } while (src[i++]);
    return dest;
}

WCHAR* wcsncpy(WCHAR* dest, const WCHAR* src, size_t count)
{
    size_t i = 0;
    for (; i < count && src[i]; ++i)
        dest[i] = src[i];
    for (; i < count; ++i)
        dest[i] = 0;
    return dest;
}

WCHAR* wcscat(WCHAR* dest, const WCHAR* src)
{
    wcscpy(dest + wcslen(dest), src);
    return dest;
}

int wcscmp(const WCHAR* a, const WCHAR* b) { return wcsncmp(a, b, static_cast<size_t>(-1)); }

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
        if (!a[i])
            return 0;
    }
    return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, static_cast<size_t>(-1)); }

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        WCHAR x = towlower(a[i]);
        WCHAR y = towlower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
        if (!x)
            return 0;
    }
    return 0;
}

const WCHAR* wcschr(const WCHAR* text, WCHAR ch) { return FindChar(text, ch); }
WCHAR* wcschr(WCHAR* text, WCHAR ch) { return FindChar(text, ch); }
const WCHAR* wcsrchr(const WCHAR* text, WCHAR ch) { return FindLastChar(text, ch); }
WCHAR* wcsrchr(WCHAR* text, WCHAR ch) { return FindLastChar(text, ch); }
const WCHAR* wcsstr(const WCHAR* text, const WCHAR* sub) { return FindString(text, sub); }
WCHAR* wcsstr(WCHAR* text, const WCHAR* sub) { return FindString(text, sub); }

LONG wcstol(const WCHAR* text, WCHAR** end, int base)
{
    // Parse up to the negative limit; the positive one is checked after.
    ParsedInteger r = ParseInteger(text, base, 0x80000000ull);
    if (end)
        *end = const_cast<WCHAR*>(r.end);
    if (r.overflow || (!r.negative && r.magnitude > 0x7FFFFFFFull)) {
        errno = ERANGE;
        return r.negative ? INT32_MIN : INT32_MAX;
    }
    return r.negative ? static_cast<LONG>(-static_cast<long long>(r.magnitude)) : static_cast<LONG>(r.magnitude);
}

ULONG wcstoul(const WCHAR* text, WCHAR** end, int base)
{
    ParsedInteger r = ParseInteger(text, base, 0xFFFFFFFFull);
    if (end)
        *end = const_cast<WCHAR*>(r.end);
    if (r.overflow) {
        errno = ERANGE;
        return 0xFFFFFFFFu;
    }
    ULONG value = static_cast<ULONG>(r.magnitude);
    return r.negative ? static_cast<ULONG>(0u - value) : value;
}

double wcstod(const WCHAR* text, WCHAR** end)
{
    if (end)
        *end = const_cast<WCHAR*>(text);
    if (!text)
        return 0.0;
    const WCHAR* p = text;
    while (iswspace(*p))
        ++p;
    // A number is ASCII; the first other code unit ends it.
    std::string narrow;
    for (const WCHAR* q = p; *q && *q < 0x80 && !iswspace(*q); ++q)
        narrow += static_cast<char>(*q);
    char* stop = nullptr;
    double value = strtod_l(narrow.c_str(), &stop, CLocale());
    if (stop == narrow.c_str())
        return 0.0;
    if (end)
        *end = const_cast<WCHAR*>(p + (stop - narrow.c_str()));
    return value;
}

int _wtoi(const WCHAR* text) { return wcstol(text, nullptr, 10); }
LONG _wtol(const WCHAR* text) { return wcstol(text, nullptr, 10); }
double _wtof(const WCHAR* text) { return wcstod(text, nullptr); }

int iswspace(WCHAR c)
{
    return c == u' ' || (c >= 0x09 && c <= 0x0D) || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x3000;
}

int iswdigit(WCHAR c) { return c >= u'0' && c <= u'9'; }
int iswalpha(WCHAR c) { return QChar::isLetter(c) ? 1 : 0; }
int iswupper(WCHAR c) { return QChar::isUpper(c) ? 1 : 0; }
int iswlower(WCHAR c) { return QChar::isLower(c) ? 1 : 0; }
WCHAR towupper(WCHAR c) { return static_cast<WCHAR>(QChar::toUpper(c)); }
WCHAR towlower(WCHAR c) { return static_cast<WCHAR>(QChar::toLower(c)); }

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args)
{
    CString text;
    text.FormatV(format, args);
    size_t length = static_cast<size_t>(text.GetLength());
    if (!buffer || count == 0)
        return -1;
    size_t copied = std::min(length, count - 1);
    std::copy_n(text.GetString(), copied, buffer);
    buffer[copied] = 0;
    return copied == length ? static_cast<int>(length) : -1;
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, count, format, args);
    va_end(args);
    return n;
}

int snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, count, format, args);
    va_end(args);
    return n;
}

int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args)
{
    return _vsnwprintf(buffer, count, format, args);
}

int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, count, format, args);
    va_end(args);
    return n;
}
