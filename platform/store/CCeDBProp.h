#pragma once
// One typed property of a record: a 16-bit identifier, a value type and a
// value, or no value. The property owns copies of its text and bytes.

#include "platform/core/Types.h"
#include "platform/store/CeDB.h"

#include <string>
#include <vector>

namespace platform {
class PropertyCodec;
}

class CCeDBProp {
public:
    enum Type : WORD {
        Type_Short = CEVT_I2,
        Type_UShort = CEVT_UI2,
        Type_Long = CEVT_I4,
        Type_ULong = CEVT_UI4,
        Type_Bool = CEVT_BOOL,
        Type_Double = CEVT_R8,
        Type_String = CEVT_LPWSTR,
        Type_Blob = CEVT_BLOB,
    };

    CCeDBProp() = default;               // identifier 0, 32-bit signed, no value
    CCeDBProp(Type type, WORD ident);    // typed, no value
    CCeDBProp(SHORT value, WORD ident);
    CCeDBProp(USHORT value, WORD ident);
    CCeDBProp(LONG value, WORD ident);   // a plain int (and TRUE) lands here
    CCeDBProp(ULONG value, WORD ident);
    CCeDBProp(bool value, WORD ident);   // a boolean property
    CCeDBProp(double value, WORD ident);
    CCeDBProp(LPCWSTR value, WORD ident);  // null gives an empty string
    CCeDBProp(const CEBLOB& value, WORD ident);

    WORD GetIdent() const { return m_ident; }
    WORD GetType() const { return m_type; }
    CEPROPID GetPropID() const { return MAKEPROP(m_ident, m_type); }
    void SetIdent(WORD ident) { m_ident = ident; }
    void SetType(Type type);             // drops the value

    BOOL HasValue() const { return m_hasValue ? TRUE : FALSE; }
    void Empty();                        // keeps identifier and type

    // A property without a value, or of another kind, reads as 0, "" or no
    // bytes. The integer getters convert between the integer types.
    LONG GetLong() const { return static_cast<LONG>(Integer()); }
    ULONG GetULong() const { return static_cast<ULONG>(Integer()); }
    SHORT GetShort() const { return static_cast<SHORT>(Integer()); }
    USHORT GetUShort() const { return static_cast<USHORT>(Integer()); }
    BOOL GetBool() const { return static_cast<BOOL>(Integer()); }
    double GetDouble() const;
    LPCWSTR GetString() const;           // never null; valid until the property changes
    int GetStringLength() const;         // code units, zeros included
    CEBLOB GetBlob() const;              // lpb never null; valid until the property changes

    // Each setter gives the property its value and the setter's type.
    void SetShort(SHORT value) { SetInteger(CEVT_I2, value); }
    void SetUShort(USHORT value) { SetInteger(CEVT_UI2, value); }
    void SetLong(LONG value) { SetInteger(CEVT_I4, value); }
    void SetULong(ULONG value) { SetInteger(CEVT_UI4, value); }
    void SetBool(BOOL value) { SetInteger(CEVT_BOOL, value); }
    void SetDouble(double value);
    void SetString(LPCWSTR value);       // up to the first zero; null gives ""
    void SetString(LPCWSTR value, int length);  // exactly `length` code units
    void SetBlob(const CEBLOB& value);
    void SetBlob(const BYTE* bytes, DWORD count);

    // Same identifier, type and value, doubles compared bit for bit.
    friend bool operator==(const CCeDBProp& a, const CCeDBProp& b);

private:
    friend class platform::PropertyCodec;

    std::int64_t Integer() const;
    void SetInteger(WORD type, std::int64_t value);

    WORD m_ident = 0;
    WORD m_type = CEVT_I4;
    bool m_hasValue = false;
    std::int64_t m_integer = 0;
    double m_double = 0.0;
    std::u16string m_text;
    std::vector<BYTE> m_bytes;
};
