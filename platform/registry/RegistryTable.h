#pragma once
// Keys and values of the registry in the store file. Keys are rows with a
// parent; values belong to a key. Names are kept as given and matched folded.

#include "platform/store/Store.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RegistryTable {
public:
    explicit RegistryTable(Store& store) : m_store(store) {}

    // Splits "A\B\C" into its names; false for a path with an empty name
    // inside it or a name too long. A trailing backslash is ignored.
    static bool SplitPath(std::u16string_view path, std::vector<std::u16string_view>& names);

    // ERROR_SUCCESS with the key's id, ERROR_FILE_NOT_FOUND, or a store error.
    LONG Find(std::int64_t parent, const std::vector<std::u16string_view>& names, std::int64_t& id);
    // As Find, creating what is missing in one write; `created` when the
    // last key was made now.
    LONG Create(std::int64_t parent, const std::vector<std::u16string_view>& names, std::int64_t& id,
                bool& created);
    // ERROR_SUCCESS, ERROR_KEY_DELETED, or a store error.
    LONG CheckKey(std::int64_t id);
    // Deletes the key below `parent` with its subkeys and values.
    LONG DeleteTree(std::int64_t parent, const std::vector<std::u16string_view>& names);

    LONG GetValue(std::int64_t key, std::u16string_view name, DWORD& type, std::vector<std::uint8_t>& data);
    LONG SetValue(std::int64_t key, std::u16string_view name, DWORD type, const BYTE* data, DWORD size);
    LONG DeleteValue(std::int64_t key, std::u16string_view name);

private:
    LONG FindChild(std::int64_t parent, std::u16string_view name, std::int64_t& id);

    Store& m_store;
};

}  // namespace platform
