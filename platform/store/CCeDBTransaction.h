#pragma once
// A change of the device's store kept whole or not at all: the databases,
// records and registry values written while it is open stay only if Commit
// succeeds; otherwise, or when the object goes first, all of them are undone.
//
// One begun inside another joins it, and the outermost decides: Commit of a
// joined one only says whether the outer one can still succeed, its Rollback
// makes the outer one fail.
//
// While one is open nothing else of this process commits. SQLite may give up
// a transaction by itself half-way (a full disk); the writes that follow,
// which would otherwise each be kept on their own, are undone as well, and
// IsOpen turns FALSE.

#include "platform/core/Types.h"

#include <memory>

namespace platform {
class Store;
class StoreTransaction;
}  // namespace platform

class CCeDBTransaction {
public:
    CCeDBTransaction();
    ~CCeDBTransaction();
    CCeDBTransaction(const CCeDBTransaction&) = delete;
    CCeDBTransaction& operator=(const CCeDBTransaction&) = delete;

    // FALSE when it could not begin or has ended, or the store gave it up.
    BOOL IsOpen() const;
    // TRUE once what was written is durable in the store (joined: while the
    // outer one can still commit it). It has ended either way.
    BOOL Commit();
    void Rollback();

    struct State;

private:
    void End();

    std::shared_ptr<platform::Store> m_store;
    std::unique_ptr<platform::StoreTransaction> m_txn;
    std::shared_ptr<State> m_state;  // the outermost's, shared with those joined
    bool m_bOutermost = false;
};
