#include "platform/store/StoreTransaction.h"

#include "platform/store/SqlQuery.h"

#include <sqlite3.h>

namespace platform {

StoreTransaction::StoreTransaction(Store& store, bool write) : m_store(store), m_guard(store.Lock())
{
    // A write started inside another joins it; the outer one commits.
    if (!sqlite3_get_autocommit(store.Handle())) {
        m_nested = true;
        m_open = true;
        return;
    }
    m_open = SqlQuery(store, write ? "BEGIN IMMEDIATE" : "BEGIN").Run();
}

StoreTransaction::~StoreTransaction()
{
    // A failed COMMIT may already have rolled back.
    if (m_open && !m_nested && !sqlite3_get_autocommit(m_store.Handle()))
        SqlQuery(m_store, "ROLLBACK").Run();
}

bool StoreTransaction::Commit()
{
    if (!m_open)
        return false;
    if (m_nested)
        return true;
    if (!SqlQuery(m_store, "COMMIT").Run())
        return false;  // the destructor rolls back
    m_open = false;
    m_store.Touch();
    return true;
}

}  // namespace platform
