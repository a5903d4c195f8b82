#pragma once
// Typed values under one key below HKEY_LOCAL_MACHINE. The key is opened for
// every call and closed before it returns. A getter that finds the key
// missing creates it and stores its default, so that a fresh device ends up
// holding every value the program has asked for; a value missing from an
// existing key is never written by a getter.

#include "platform/core/Types.h"

class CRegistryKey {
public:
    // The path is kept, not copied: it must outlive the object.
    explicit CRegistryKey(LPCWSTR keyPath) : m_pszKey(keyPath) {}

    virtual void SetDword(LPCWSTR name, DWORD value);
    // The error of opening or of closing the key; the write itself goes unchecked.
    virtual LONG SetString(LPCWSTR name, LPCWSTR text);
    virtual LONG SetBinary(LPCWSTR name, const BYTE* data, DWORD size);
    virtual BOOL GetDword(LPCWSTR name, DWORD* result, DWORD defaultValue);
    virtual BOOL GetString(LPCWSTR name, LPWSTR buffer, DWORD bufferBytes, LPCWSTR defaultText);
    // `size` gives the buffer's size (and the default's) and receives the size read.
    virtual BOOL GetBinary(LPCWSTR name, BYTE* buffer, DWORD* size, const BYTE* defaultBytes);

    LPCWSTR GetKeyPath() const { return m_pszKey; }

private:
    LPCWSTR m_pszKey;
};
