#pragma once
// The databases of the store: name (matched without regard to case), type
// and sort order, each with an object id from the store's one allocator.

#include "platform/store/Store.h"

#include <string_view>

namespace platform {

struct DatabaseInfo {
    CEOID id = 0;
    DWORD type = 0;
    CEPROPID sortProp = 0;  // 0: no sort order
    DWORD sortFlags = 0;
};

class DatabaseCatalog {
public:
    explicit DatabaseCatalog(Store& store) : m_store(store) {}

    bool Find(std::u16string_view name, DatabaseInfo& info);
    bool Exists(CEOID id);
    // The new database's id; 0 when the name is taken or the write failed.
    CEOID Create(std::u16string_view name, DWORD type, CEPROPID sortProp, DWORD sortFlags);
    // Deletes the database and its records in one write.
    bool Delete(CEOID id);

private:
    Store& m_store;
};

}  // namespace platform
