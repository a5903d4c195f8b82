#pragma once
// The program's string table and its custom resources, as data.

#include "platform/core/Types.h"

#include <cstddef>

struct StringTableEntry {
    UINT nID;
    LPCWSTR pszText;
};

struct CustomResource {
    LPCWSTR pszType;
    UINT nID;
    const BYTE* pData;
    DWORD cbSize;
};

const StringTableEntry* GetStringTable(std::size_t& count);
const CustomResource* GetCustomResources(std::size_t& count);
