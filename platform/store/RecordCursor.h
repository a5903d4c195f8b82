#pragma once
// The seek position of an open database. Rows are fetched in growing batches
// by one indexed statement and stepped through in memory, so enumerating
// costs about what a plain scan costs. The position is the current record's
// (sort key, object id), so it survives writes and deletions: after any write
// through this store the next step fetches afresh from that key. Writes by
// another process show up at the next fetch.

#include "platform/store/Store.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class SqlQuery;

class RecordCursor {
public:
    // byKey: step in sort-key order (a database without sort order has one
    // empty key, so that is the order of object ids); otherwise in object id
    // order, for a sorted database opened without its sort order.
    void Attach(std::shared_ptr<Store> store, CEOID db, bool byKey);
    void Detach();

    CEOID First();
    CEOID Next();  // 0 at the end and when nothing was sought yet
    bool ToRecord(CEOID oid);
    bool ToIndex(DWORD index);
    CEOID FirstEqual(const std::vector<std::uint8_t>& key);
    CEOID NextEqual(const std::vector<std::uint8_t>& key);
    void ToEnd();

    CEOID Current() const { return m_state == State::OnRecord ? m_oid : 0; }
    // The current record's stored properties, valid until the next call;
    // false when there is no current record or it has gone.
    bool CurrentProps(const std::uint8_t*& data, std::size_t& size);
    // A write has put this record where the key says: it becomes current.
    void Follow(CEOID oid, const std::vector<std::uint8_t>& key);

private:
    enum class State { None, OnRecord, AtEnd };
    struct Row {
        CEOID oid;
        std::uint32_t keyAt, keySize, propsAt, propsSize;
    };

    // Rows after (key, oid), or from the start (skipping `offset`) without a key.
    bool Fetch(const std::vector<std::uint8_t>* afterKey, CEOID afterOid, DWORD offset, std::size_t limit);
    void AppendRows(SqlQuery& q);
    bool FetchRecord(CEOID oid);
    bool Fresh() const;
    CEOID Land(std::size_t at);

    std::shared_ptr<Store> m_store;
    CEOID m_db = 0;
    bool m_byKey = true;

    State m_state = State::None;
    CEOID m_oid = 0;
    std::vector<std::uint8_t> m_key;

    std::vector<Row> m_rows;
    std::vector<std::uint8_t> m_arena;
    std::size_t m_at = 0;
    bool m_rowsReachEnd = false;  // no rows after the last one held
    std::uint64_t m_generation = 0;
    std::size_t m_batch = 0;
};

}  // namespace platform
