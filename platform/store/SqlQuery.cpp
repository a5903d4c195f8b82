#include "platform/store/SqlQuery.h"

#include <sqlite3.h>

namespace platform {

namespace {
const std::uint8_t kNoBytes[1] = {0};
}

SqlQuery::SqlQuery(Store& store, const char* sql)
    : m_store(store), m_guard(store.Lock()), m_stmt(store.Prepare(sql))
{
    m_failed = m_stmt == nullptr;
}

SqlQuery::~SqlQuery()
{
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
}

SqlQuery& SqlQuery::Bind(int index, std::int64_t value)
{
    if (m_stmt && sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        m_failed = true;
    return *this;
}

SqlQuery& SqlQuery::Bind(int index, const void* data, std::size_t size)
{
    // A null pointer would bind NULL rather than an empty blob.
    if (size == 0)
        data = kNoBytes;
    if (m_stmt && sqlite3_bind_blob64(m_stmt, index, data, size, SQLITE_STATIC) != SQLITE_OK)
        m_failed = true;
    return *this;
}

bool SqlQuery::Step()
{
    if (m_failed)
        return false;
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_failed = true;
        m_store.Report("statement failed");
    }
    return false;
}

bool SqlQuery::Run()
{
    while (Step()) {
    }
    return !m_failed;
}

std::int64_t SqlQuery::Int(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

const std::uint8_t* SqlQuery::Blob(int column) const
{
    const void* data = sqlite3_column_blob(m_stmt, column);
    return data ? static_cast<const std::uint8_t*>(data) : kNoBytes;
}

std::size_t SqlQuery::BlobSize(int column) const
{
    return static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, column));
}

}  // namespace platform
