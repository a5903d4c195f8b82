#include "platform/store/CCeDBProp.h"

#include <cstring>

namespace {
BYTE g_noBytes[1] = {0};

bool IsIntegerType(WORD type)
{
    return type == CEVT_I2 || type == CEVT_UI2 || type == CEVT_I4 || type == CEVT_UI4 || type == CEVT_BOOL;
}
}  // namespace

CCeDBProp::CCeDBProp(Type type, WORD ident) : m_ident(ident), m_type(type) {}

CCeDBProp::CCeDBProp(SHORT value, WORD ident) : m_ident(ident) { SetShort(value); }
CCeDBProp::CCeDBProp(USHORT value, WORD ident) : m_ident(ident) { SetUShort(value); }
CCeDBProp::CCeDBProp(LONG value, WORD ident) : m_ident(ident) { SetLong(value); }
CCeDBProp::CCeDBProp(ULONG value, WORD ident) : m_ident(ident) { SetULong(value); }
CCeDBProp::CCeDBProp(bool value, WORD ident) : m_ident(ident) { SetBool(value ? TRUE : FALSE); }
CCeDBProp::CCeDBProp(double value, WORD ident) : m_ident(ident) { SetDouble(value); }
CCeDBProp::CCeDBProp(LPCWSTR value, WORD ident) : m_ident(ident) { SetString(value); }
CCeDBProp::CCeDBProp(const CEBLOB& value, WORD ident) : m_ident(ident) { SetBlob(value); }

void CCeDBProp::SetType(Type type)
{
    m_type = type;
    Empty();
}

void CCeDBProp::Empty()
{
    m_hasValue = false;
    m_integer = 0;
    m_double = 0.0;
    m_text.clear();
    m_bytes.clear();
}

std::int64_t CCeDBProp::Integer() const
{
    return m_hasValue && IsIntegerType(m_type) ? m_integer : 0;
}

double CCeDBProp::GetDouble() const
{
    if (!m_hasValue)
        return 0.0;
    if (m_type == CEVT_R8)
        return m_double;
    return IsIntegerType(m_type) ? static_cast<double>(m_integer) : 0.0;
}

LPCWSTR CCeDBProp::GetString() const
{
    // An empty std::u16string still gives a terminated buffer.
    static const WCHAR empty[1] = {0};
    return m_type == CEVT_LPWSTR ? m_text.c_str() : empty;
}

int CCeDBProp::GetStringLength() const
{
    return m_type == CEVT_LPWSTR ? static_cast<int>(m_text.size()) : 0;
}

CEBLOB CCeDBProp::GetBlob() const
{
    if (m_type != CEVT_BLOB || m_bytes.empty())
        return CEBLOB{0, g_noBytes};
    return CEBLOB{static_cast<DWORD>(m_bytes.size()), const_cast<BYTE*>(m_bytes.data())};
}

void CCeDBProp::SetInteger(WORD type, std::int64_t value)
{
    Empty();
    m_type = type;
    m_integer = value;
    m_hasValue = true;
}

void CCeDBProp::SetDouble(double value)
{
    Empty();
    m_type = CEVT_R8;
    m_double = value;
    m_hasValue = true;
}

void CCeDBProp::SetString(LPCWSTR value)
{
    int length = 0;
    if (value)
        while (value[length])
            ++length;
    SetString(value, length);
}

void CCeDBProp::SetString(LPCWSTR value, int length)
{
    Empty();
    m_type = CEVT_LPWSTR;
    if (value && length > 0)
        m_text.assign(value, static_cast<size_t>(length));
    m_hasValue = true;
}

void CCeDBProp::SetBlob(const CEBLOB& value)
{
    SetBlob(value.lpb, value.dwCount);
}

void CCeDBProp::SetBlob(const BYTE* bytes, DWORD count)
{
    Empty();
    m_type = CEVT_BLOB;
    if (bytes && count > 0)
        m_bytes.assign(bytes, bytes + count);
    m_hasValue = true;
}

bool operator==(const CCeDBProp& a, const CCeDBProp& b)
{
    // Doubles compare by their bits: identical properties, not equal numbers.
    return a.m_ident == b.m_ident && a.m_type == b.m_type && a.m_hasValue == b.m_hasValue &&
           a.m_integer == b.m_integer && std::memcmp(&a.m_double, &b.m_double, sizeof(double)) == 0 &&
           a.m_text == b.m_text && a.m_bytes == b.m_bytes;
}
