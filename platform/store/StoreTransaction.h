#pragma once
// One write of the store: BEGIN IMMEDIATE takes the write lock up front (and
// waits for another process to finish its write), so the write cannot fail
// half-way for want of a lock. Rolled back unless committed.

#include "platform/store/Store.h"

#include <mutex>

namespace platform {

class StoreTransaction {
public:
    // write false: a read transaction, for a consistent look without a lock.
    explicit StoreTransaction(Store& store, bool write = true);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;

    bool Ok() const { return m_open; }
    // True once the write is durable in the file.
    bool Commit();

private:
    Store& m_store;
    std::unique_lock<std::recursive_mutex> m_guard;
    bool m_open = false;
    bool m_nested = false;
};

}  // namespace platform
