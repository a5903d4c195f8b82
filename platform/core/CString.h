#pragma once
// UTF-16 text as the program handles it: lengths and indexes count code units.

#include "platform/core/Types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR text);                 // null gives an empty string
    CString(LPCWSTR text, int length);     // exactly `length` code units, zeros included
    CString(WCHAR ch, int repeat = 1);
    explicit CString(const char* utf8);    // UTF-8; invalid sequences become U+FFFD
    explicit CString(std::u16string text) : m_str(std::move(text)) {}
    static CString FromUtf8(std::string_view utf8);
    static CString FromLatin1(std::string_view bytes);  // one code unit per byte

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR text);
    CString& operator=(WCHAR ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty() ? TRUE : FALSE; }
    void Empty() { m_str.clear(); }

    // Always zero-terminated; stays valid until the string changes.
    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    const std::u16string& str() const { return m_str; }

    WCHAR GetAt(int index) const;          // 0 outside the string
    void SetAt(int index, WCHAR ch);       // ignored outside the string
    WCHAR operator[](int index) const { return GetAt(index); }

    CString& operator+=(const CString& other);
    CString& operator+=(LPCWSTR text);
    CString& operator+=(WCHAR ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, WCHAR b);

    // Ordinal comparison by code unit; the NoCase form folds ASCII and Latin-1
    // letters and the other letters Unicode gives a simple case mapping.
    int Compare(LPCWSTR other) const;
    int CompareNoCase(LPCWSTR other) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCWSTR b);
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

    // Index of the first match at or after `start`, -1 when there is none.
    int Find(WCHAR ch, int start = 0) const;
    int Find(LPCWSTR sub, int start = 0) const;
    int ReverseFind(WCHAR ch) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    CString& TrimLeft();                   // white space
    CString& TrimLeft(WCHAR target);
    CString& TrimLeft(LPCWSTR targets);
    CString& TrimRight();
    CString& TrimRight(WCHAR target);
    CString& Trim() { TrimLeft(); return TrimRight(); }
    CString& MakeUpper();
    CString& MakeLower();
    int Replace(WCHAR from, WCHAR to);
    int Replace(LPCWSTR from, LPCWSTR to);
    int Insert(int index, WCHAR ch);
    int Insert(int index, LPCWSTR text);
    int Delete(int index, int count = 1);

    // printf-style: %d %i %u %x %X %o %c %s %f %e %E %g %G %p %%, with flags,
    // width, precision, '*' and the h/l/ll/I64 size prefixes. %s takes a UTF-16
    // string (LPCWSTR), %hs and %S a single-byte one. Numbers print as the C
    // library prints them in the "C" locale.
    void Format(LPCWSTR format, ...);
    void FormatV(LPCWSTR format, va_list args);

    // A writable buffer of at least `minLength` code units plus a terminating
    // zero; ReleaseBuffer(-1) takes the length up to the first zero.
    LPWSTR GetBuffer(int minLength = 0);
    LPWSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Loads a string-table entry through the loader the resources register.
    BOOL LoadString(UINT id);

    std::string ToUtf8() const;           // unpaired surrogates become U+FFFD

private:
    std::u16string m_str;
};

namespace platform {
// Resource strings live above this layer; the UI layer installs the lookup.
using StringLoader = bool (*)(UINT id, CString& out);
void SetStringLoader(StringLoader loader);

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
}  // namespace platform
