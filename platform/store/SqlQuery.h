#pragma once
// One use of a cached statement of the store: binds, steps, and resets the
// statement when it goes, so that no read stays open between calls.

#include "platform/store/Store.h"

#include <cstddef>
#include <cstdint>
#include <mutex>

namespace platform {

class SqlQuery {
public:
    SqlQuery(Store& store, const char* sql);
    ~SqlQuery();
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;

    bool Ok() const { return m_stmt != nullptr && !m_failed; }

    SqlQuery& Bind(int index, std::int64_t value);
    SqlQuery& Bind(int index, const void* data, std::size_t size);  // a blob, empty when size is 0

    // True for each row; false at the end or on failure (then Failed()).
    bool Step();
    // Steps to the end; true when that went without failure.
    bool Run();
    bool Failed() const { return m_failed; }

    std::int64_t Int(int column) const;
    const std::uint8_t* Blob(int column) const;  // never null
    std::size_t BlobSize(int column) const;

private:
    Store& m_store;
    std::unique_lock<std::recursive_mutex> m_guard;
    sqlite3_stmt* m_stmt;
    bool m_failed = false;
};

}  // namespace platform
