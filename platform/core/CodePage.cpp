#include "platform/core/CodePage.h"

#include "platform/core/CString.h"
#include "platform/core/LastError.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned bytes map to themselves.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsAnsi(UINT codePage) { return codePage == CP_ACP || codePage == CP_OEMCP || codePage == 1252; }

char16_t FromAnsi(unsigned char b) { return b >= 0x80 && b <= 0x9F ? kHighControls[b - 0x80] : b; }

bool ToAnsi(char16_t c, char& out)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        out = static_cast<char>(c);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c) {
            out = static_cast<char>(0x80 + i);
            return true;
        }
    }
    return false;
}

template <typename Out>
int Deliver(const Out& text, typename Out::value_type* dest, int destLength)
{
    int needed = static_cast<int>(text.size());
    if (destLength == 0)
        return needed;
    if (destLength < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(text.begin(), text.end(), dest);
    return needed;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD, LPCSTR src, int srcLength, LPWSTR dest, int destLength)
{
    if (!src || srcLength == 0 || srcLength < -1 || destLength < 0 || (destLength > 0 && !dest) ||
        (!IsAnsi(codePage) && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = srcLength == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLength);
    std::u16string out;
    if (codePage == CP_UTF8) {
        out = platform::Utf8ToUtf16(std::string_view(src, length));
    } else {
        out.reserve(length);
        for (size_t i = 0; i < length; ++i)
            out += FromAnsi(static_cast<unsigned char>(src[i]));
    }
    return Deliver(out, dest, destLength);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR src, int srcLength, LPSTR dest, int destLength,
                        LPCSTR defaultChar, BOOL* usedDefaultChar)
{
    if (!src || srcLength == 0 || srcLength < -1 || destLength < 0 || (destLength > 0 && !dest) ||
        (!IsAnsi(codePage) && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    size_t length = 0;
    if (srcLength == -1) {
        while (src[length])
            ++length;
        ++length;
    } else {
        length = static_cast<size_t>(srcLength);
    }
    std::u16string_view text(src, length);
    std::string out;
    bool usedDefault = false;
    if (codePage == CP_UTF8) {
        out = platform::Utf16ToUtf8(text);
    } else {
        char fallback = defaultChar ? *defaultChar : '?';
        out.reserve(length);
        for (char16_t c : text) {
            char b = 0;
            if (!ToAnsi(c, b)) {
                b = fallback;
                usedDefault = true;
            }
            out += b;
        }
    }
    int n = Deliver(out, dest, destLength);
    if (n && usedDefaultChar)
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    return n;
}
