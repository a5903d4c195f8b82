#include "platform/store/DatabaseCatalog.h"

#include "platform/core/LastError.h"
#include "platform/store/NameFold.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/StoreTransaction.h"

namespace platform {

bool DatabaseCatalog::Find(std::u16string_view name, DatabaseInfo& info)
{
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    SqlQuery q(m_store, "SELECT id, type, sort_propid, sort_flags FROM databases WHERE fold = ?1");
    q.Bind(1, fold.data(), fold.size());
    if (!q.Step()) {
        if (!q.Failed())
            SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    info.id = static_cast<CEOID>(q.Int(0));
    info.type = static_cast<DWORD>(q.Int(1));
    info.sortProp = static_cast<CEPROPID>(q.Int(2));
    info.sortFlags = static_cast<DWORD>(q.Int(3));
    return true;
}

bool DatabaseCatalog::Exists(CEOID id)
{
    SqlQuery q(m_store, "SELECT 1 FROM databases WHERE id = ?1");
    q.Bind(1, static_cast<std::int64_t>(id));
    return q.Step();
}

CEOID DatabaseCatalog::Create(std::u16string_view name, DWORD type, CEPROPID sortProp, DWORD sortFlags)
{
    std::vector<std::uint8_t> bytes = NameBytes(name);
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return 0;
    {
        SqlQuery taken(m_store, "SELECT 1 FROM databases WHERE fold = ?1");
        taken.Bind(1, fold.data(), fold.size());
        if (taken.Step()) {
            SetLastError(ERROR_ALREADY_EXISTS);
            return 0;
        }
        if (taken.Failed())
            return 0;
    }
    CEOID id = m_store.AllocateId();
    if (id == 0)
        return 0;
    SqlQuery insert(m_store, "INSERT INTO databases(id, name, fold, type, sort_propid, sort_flags)"
                             " VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    insert.Bind(1, static_cast<std::int64_t>(id))
        .Bind(2, bytes.data(), bytes.size())
        .Bind(3, fold.data(), fold.size())
        .Bind(4, static_cast<std::int64_t>(type))
        .Bind(5, static_cast<std::int64_t>(sortProp))
        .Bind(6, static_cast<std::int64_t>(sortFlags));
    if (!insert.Run())
        return 0;
    return txn.Commit() ? id : 0;
}

bool DatabaseCatalog::Delete(CEOID id)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return false;
    SqlQuery records(m_store, "DELETE FROM records WHERE db = ?1");
    records.Bind(1, static_cast<std::int64_t>(id));
    if (!records.Run())
        return false;
    SqlQuery database(m_store, "DELETE FROM databases WHERE id = ?1 RETURNING id");
    database.Bind(1, static_cast<std::int64_t>(id));
    bool existed = database.Step();
    if (!database.Run())
        return false;
    if (!existed) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return false;
    }
    return txn.Commit();
}

}  // namespace platform
