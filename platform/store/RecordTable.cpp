#include "platform/store/RecordTable.h"

#include "platform/core/LastError.h"
#include "platform/store/PropertyCodec.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/StoreTransaction.h"

namespace platform {

namespace {

bool DatabaseAlive(Store& store, CEOID id)
{
    return DatabaseCatalog(store).Exists(id);
}

}  // namespace

DWORD RecordTable::Count()
{
    SqlQuery q(m_store, "SELECT count(*) FROM records WHERE db = ?1");
    q.Bind(1, static_cast<std::int64_t>(m_info.id));
    return q.Step() ? static_cast<DWORD>(q.Int(0)) : 0;
}

CEOID RecordTable::Insert(const CCeDBRecord& record, std::vector<std::uint8_t>& key)
{
    std::vector<std::uint8_t> props = PropertyCodec::Merge({}, record);
    std::vector<PropertyCodec::Entry> entries;
    PropertyCodec::Parse(props.data(), props.size(), entries);
    PropertyCodec::SortKey(entries, m_info.sortProp, m_info.sortFlags, key);

    StoreTransaction txn(m_store);
    // The database may have been deleted through another object or process.
    if (!txn.Ok())
        return 0;
    if (!DatabaseAlive(m_store, m_info.id)) {
        SetLastError(ERROR_NOT_FOUND);
        return 0;
    }
    CEOID oid = m_store.AllocateId();
    if (oid == 0)
        return 0;
    SqlQuery insert(m_store, "INSERT INTO records(oid, db, sortkey, props) VALUES(?1, ?2, ?3, ?4)");
    insert.Bind(1, static_cast<std::int64_t>(oid))
        .Bind(2, static_cast<std::int64_t>(m_info.id))
        .Bind(3, key.data(), key.size())
        .Bind(4, props.data(), props.size());
    if (!insert.Run())
        return 0;
    return txn.Commit() ? oid : 0;
}

bool RecordTable::Update(CEOID oid, const CCeDBRecord& record, std::vector<std::uint8_t>& key)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return false;
    std::vector<std::uint8_t> stored;
    {
        SqlQuery read(m_store, "SELECT props FROM records WHERE oid = ?1 AND db = ?2");
        read.Bind(1, static_cast<std::int64_t>(oid)).Bind(2, static_cast<std::int64_t>(m_info.id));
        if (!read.Step()) {
            if (!read.Failed())
                SetLastError(ERROR_NOT_FOUND);
            return false;
        }
        stored.assign(read.Blob(0), read.Blob(0) + read.BlobSize(0));
    }
    std::vector<PropertyCodec::Entry> entries;
    if (!PropertyCodec::Parse(stored.data(), stored.size(), entries)) {
        m_store.Warn("a damaged record is left as it is");
        return false;
    }
    std::vector<std::uint8_t> props = PropertyCodec::Merge(entries, record);
    PropertyCodec::Parse(props.data(), props.size(), entries);
    PropertyCodec::SortKey(entries, m_info.sortProp, m_info.sortFlags, key);
    SqlQuery update(m_store, "UPDATE records SET sortkey = ?2, props = ?3 WHERE oid = ?1");
    update.Bind(1, static_cast<std::int64_t>(oid))
        .Bind(2, key.data(), key.size())
        .Bind(3, props.data(), props.size());
    if (!update.Run())
        return false;
    return txn.Commit();
}

bool RecordTable::Remove(CEOID oid)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return false;
    SqlQuery remove(m_store, "DELETE FROM records WHERE oid = ?1 AND db = ?2 RETURNING oid");
    remove.Bind(1, static_cast<std::int64_t>(oid)).Bind(2, static_cast<std::int64_t>(m_info.id));
    bool found = remove.Step();
    if (!remove.Run())
        return false;
    if (!found) {
        SetLastError(ERROR_NOT_FOUND);
        return false;
    }
    return txn.Commit();
}

}  // namespace platform
