#pragma once
// The records of one database: one row each, its properties packed in one
// blob, with the sort key beside it for the index. Every write is one
// transaction.

#include "platform/store/CCeDBRecord.h"
#include "platform/store/DatabaseCatalog.h"

#include <cstdint>
#include <vector>

namespace platform {

class RecordTable {
public:
    RecordTable(Store& store, const DatabaseInfo& info) : m_store(store), m_info(info) {}

    DWORD Count();
    // The new record's id (0 on failure) and its sort key.
    CEOID Insert(const CCeDBRecord& record, std::vector<std::uint8_t>& key);
    // Writes the record's valued properties over the stored ones, keeping
    // the others; false when the record is not in this database.
    bool Update(CEOID oid, const CCeDBRecord& record, std::vector<std::uint8_t>& key);
    bool Remove(CEOID oid);

private:
    Store& m_store;
    DatabaseInfo m_info;
};

}  // namespace platform
