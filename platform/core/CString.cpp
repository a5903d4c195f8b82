#include "platform/core/CString.h"

#include "platform/core/WideC.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <locale.h>

namespace platform {
namespace {
StringLoader g_stringLoader = nullptr;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

locale_t CLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Formats one conversion with the C library in the "C" locale.
template <typename T>
std::string PrintOne(const std::string& conversion, T value)
{
    locale_t old = uselocale(CLocale());
    int n = std::snprintf(nullptr, 0, conversion.c_str(), value);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::snprintf(out.data(), out.size(), conversion.c_str(), value);
        out.resize(static_cast<size_t>(n));
    }
    uselocale(old);
    return out;
}

void Pad(std::u16string& out, std::u16string_view text, int width, bool left)
{
    int pad = width - static_cast<int>(text.size());
    if (!left && pad > 0)
        out.append(static_cast<size_t>(pad), u' ');
    out.append(text);
    if (left && pad > 0)
        out.append(static_cast<size_t>(pad), u' ');
}
}  // namespace

void SetStringLoader(StringLoader loader) { g_stringLoader = loader; }

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            char32_t cp = 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            AppendUtf8(out, cp);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            unsigned char cb = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
            if ((cb & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cb & 0x3F);
        }
        static const char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        AppendUtf16(out, cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}
}  // namespace platform


CString::CString(LPCWSTR text)
{
    if (text)
        m_str = text;
}

CString::CString(LPCWSTR text, int length)
{
    if (text && length > 0)
        m_str.assign(text, static_cast<size_t>(length));
}

CString::CString(WCHAR ch, int repeat)
{
    if (repeat > 0)
        m_str.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(const char* utf8)
{
    if (utf8)
        m_str = platform::Utf8ToUtf16(utf8);
}

CString CString::FromUtf8(std::string_view utf8) { return CString(platform::Utf8ToUtf16(utf8)); }

CString CString::FromLatin1(std::string_view bytes)
{
    std::u16string s;
    s.reserve(bytes.size());
    for (char c : bytes)
        s += static_cast<char16_t>(static_cast<unsigned char>(c));
    return CString(std::move(s));
}

CString& CString::operator=(LPCWSTR text)
{
    if (text)
        m_str = text;
    else
        m_str.clear();
    return *this;
}

CString& CString::operator=(WCHAR ch)
{
    m_str.assign(1, ch);
    return *this;
}

WCHAR CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return 0;
    return m_str[static_cast<size_t>(index)];
}

void CString::SetAt(int index, WCHAR ch)
{
    if (index >= 0 && index < GetLength())
        m_str[static_cast<size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& other)
{
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR text)
{
    if (text)
        m_str += text;
    return *this;
}

CString& CString::operator+=(WCHAR ch)
{
    m_str += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
CString operator+(const CString& a, LPCWSTR b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(LPCWSTR a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}
CString operator+(const CString& a, WCHAR b)
{
    CString r(a);
    r += b;
    return r;
}

bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }

int CString::Compare(LPCWSTR other) const
{
    std::u16string_view o = other ? std::u16string_view(other) : std::u16string_view();
    int c = std::u16string_view(m_str).compare(o);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CString::CompareNoCase(LPCWSTR other) const
{
    std::u16string_view o = other ? std::u16string_view(other) : std::u16string_view();
    size_t n = std::min(m_str.size(), o.size());
    for (size_t i = 0; i < n; ++i) {
        char16_t a = towlower(m_str[i]);
        char16_t b = towlower(o[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (m_str.size() == o.size())
        return 0;
    return m_str.size() < o.size() ? -1 : 1;
}

int CString::Find(WCHAR ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t pos = m_str.find(sub, static_cast<size_t>(start));
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(WCHAR ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::u16string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<size_t>(count)));
}

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && iswspace(m_str[i]))
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(WCHAR target)
{
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == target)
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(LPCWSTR targets)
{
    if (!targets)
        return *this;
    std::u16string_view t(targets);
    size_t i = 0;
    while (i < m_str.size() && t.find(m_str[i]) != std::u16string_view::npos)
        ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && iswspace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(WCHAR target)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == target)
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::MakeUpper()
{
    for (auto& c : m_str)
        c = towupper(c);
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& c : m_str)
        c = towlower(c);
    return *this;
}

int CString::Replace(WCHAR from, WCHAR to)
{
    int n = 0;
    for (auto& c : m_str) {
        if (c == from) {
            c = to;
            ++n;
        }
    }
    return n;
}

int CString::Replace(LPCWSTR from, LPCWSTR to)
{
    if (!from || !*from)
        return 0;
    std::u16string_view f(from);
    std::u16string_view t = to ? std::u16string_view(to) : std::u16string_view();
    std::u16string out;
    int n = 0;
    size_t pos = 0;
    while (true) {
        size_t hit = m_str.find(f, pos);
        if (hit == std::u16string::npos)
            break;
        out.append(m_str, pos, hit - pos);
        out.append(t);
        pos = hit + f.size();
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::u16string::npos);
        m_str = std::move(out);
    }
    return n;
}

int CString::Insert(int index, WCHAR ch)
{
    index = std::clamp(index, 0, GetLength());
    m_str.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCWSTR text)
{
    index = std::clamp(index, 0, GetLength());
    if (text)
        m_str.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index >= 0 && index < GetLength() && count > 0)
        m_str.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

void CString::Format(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCWSTR format, va_list args)
{
    std::u16string out;
    if (!format) {
        m_str.clear();
        return;
    }
    const char16_t* p = format;
    while (*p) {
        if (*p != u'%') {
            out += *p++;
            continue;
        }
        const char16_t* start = p++;
        if (*p == u'%') {
            out += u'%';
            ++p;
            continue;
        }
        std::string flags;
        while (*p == u'-' || *p == u'+' || *p == u' ' || *p == u'#' || *p == u'0')
            flags += static_cast<char>(*p++);
        int width = -1;
        if (*p == u'*') {
            width = std::clamp(va_arg(args, int), -100000, 100000);
            if (width < 0) {
                flags += '-';
                width = -width;
            }
            ++p;
        } else {
            while (*p >= u'0' && *p <= u'9') {
                width = (width < 0 ? 0 : width) * 10 + (*p++ - u'0');
                if (width > 100000)
                    width = 100000;
            }
        }
        int precision = -1;
        if (*p == u'.') {
            ++p;
            precision = 0;
            if (*p == u'*') {
                precision = std::min(va_arg(args, int), 100000);
                ++p;
            } else {
                while (*p >= u'0' && *p <= u'9') {
                    precision = precision * 10 + (*p++ - u'0');
                    if (precision > 100000)
                        precision = 100000;
                }
            }
        }
        enum { None, Short, Long, LongLong } size = None;
        bool narrowString = false;
        if (*p == u'h') {
            size = Short;
            ++p;
            narrowString = true;
        } else if (*p == u'l') {
            size = Long;
            ++p;
            if (*p == u'l') {
                size = LongLong;
                ++p;
            }
        } else if (p[0] == u'I' && p[1] == u'6' && p[2] == u'4') {
            size = LongLong;
            p += 3;
        }
        char16_t conv = *p;
        if (!conv) {
            out.append(start, p);
            break;
        }
        ++p;
        std::string conversion = "%" + flags;
        if (width >= 0)
            conversion += std::to_string(width);
        if (precision >= 0)
            conversion += "." + std::to_string(precision);
        bool left = flags.find('-') != std::string::npos;
        switch (conv) {
        case u'd':
        case u'i': {
            // The handheld's long is 32 bits: %ld takes the same argument as %d.
            long long v = size == LongLong ? va_arg(args, long long) : va_arg(args, int);
            if (size == Short)
                v = static_cast<short>(v);
            out += platform::Utf8ToUtf16(platform::PrintOne(conversion + "lld", v));
            break;
        }
        case u'u':
        case u'x':
        case u'X':
        case u'o': {
            unsigned long long v = size == LongLong ? va_arg(args, unsigned long long) : va_arg(args, unsigned int);
            if (size == Short)
                v = static_cast<unsigned short>(v);
            out += platform::Utf8ToUtf16(platform::PrintOne(conversion + "ll" + static_cast<char>(conv), v));
            break;
        }
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A': {
            double v = va_arg(args, double);
            out += platform::Utf8ToUtf16(platform::PrintOne(conversion + static_cast<char>(conv), v));
            break;
        }
        case u'p': {
            void* v = va_arg(args, void*);
            out += platform::Utf8ToUtf16(platform::PrintOne(conversion + "p", v));
            break;
        }
        case u'c':
        case u'C': {
            char16_t ch = static_cast<char16_t>(va_arg(args, int));
            platform::Pad(out, std::u16string_view(&ch, 1), width, left);
            break;
        }
        case u's':
        case u'S': {
            std::u16string text;
            if (conv == u'S' || narrowString) {
                const char* s = va_arg(args, const char*);
                text = platform::Utf8ToUtf16(s ? s : "(null)");
            } else {
                const char16_t* s = va_arg(args, const char16_t*);
                text = s ? s : u"(null)";
            }
            if (precision >= 0 && static_cast<size_t>(precision) < text.size())
                text.resize(static_cast<size_t>(precision));
            platform::Pad(out, text, width, left);
            break;
        }
        default:
            // Unknown conversion: keep it as written, consuming nothing.
            out.append(start, p);
            break;
        }
    }
    m_str = std::move(out);
}

LPWSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_str.resize(static_cast<size_t>(minLength));
    return m_str.data();
}

LPWSTR CString::GetBufferSetLength(int length)
{
    m_str.resize(static_cast<size_t>(std::max(length, 0)));
    return m_str.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        size_t zero = m_str.find(u'\0');
        if (zero != std::u16string::npos)
            m_str.resize(zero);
    } else if (static_cast<size_t>(newLength) <= m_str.size()) {
        m_str.resize(static_cast<size_t>(newLength));
    }
}

BOOL CString::LoadString(UINT id)
{
    if (!platform::g_stringLoader)
        return FALSE;
    CString text;
    if (!platform::g_stringLoader(id, text))
        return FALSE;
    *this = std::move(text);
    return TRUE;
}

std::string CString::ToUtf8() const { return platform::Utf16ToUtf8(m_str); }
