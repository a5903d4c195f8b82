#include "platform/registry/RegistryTable.h"

#include "platform/core/LastError.h"
#include "platform/registry/KeyHandle.h"
#include "platform/store/NameFold.h"
#include "platform/store/SqlQuery.h"
#include "platform/store/StoreTransaction.h"

#include <string>

namespace platform {

namespace {

constexpr std::size_t kMaxKeyName = 255;

// The cause the store has just set for a failed statement, else `fallback`.
LONG Cause(LONG fallback)
{
    DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? static_cast<LONG>(error) : fallback;
}

bool IsRoot(std::int64_t id)
{
    return id == kLocalMachineKey || id == kCurrentUserKey;
}

}  // namespace

bool RegistryTable::SplitPath(std::u16string_view path, std::vector<std::u16string_view>& names)
{
    names.clear();
    if (!path.empty() && path.back() == u'\\')
        path.remove_suffix(1);
    if (path.empty())
        return true;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find(u'\\', start);
        std::u16string_view name = path.substr(start, end == std::u16string_view::npos ? path.npos : end - start);
        if (name.empty() || name.size() > kMaxKeyName)
            return false;
        names.push_back(name);
        if (end == std::u16string_view::npos)
            return true;
        start = end + 1;
    }
}

LONG RegistryTable::FindChild(std::int64_t parent, std::u16string_view name, std::int64_t& id)
{
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    SqlQuery q(m_store, "SELECT id FROM regkeys WHERE parent = ?1 AND fold = ?2");
    q.Bind(1, parent).Bind(2, fold.data(), fold.size());
    if (q.Step()) {
        id = q.Int(0);
        return ERROR_SUCCESS;
    }
    return q.Failed() ? Cause(ERROR_CANTREAD) : ERROR_FILE_NOT_FOUND;
}

LONG RegistryTable::CheckKey(std::int64_t id)
{
    if (IsRoot(id))
        return ERROR_SUCCESS;
    SqlQuery q(m_store, "SELECT 1 FROM regkeys WHERE id = ?1");
    q.Bind(1, id);
    if (q.Step())
        return ERROR_SUCCESS;
    return q.Failed() ? Cause(ERROR_CANTREAD) : ERROR_KEY_DELETED;
}

LONG RegistryTable::Find(std::int64_t parent, const std::vector<std::u16string_view>& names, std::int64_t& id)
{
    LONG result = CheckKey(parent);
    id = parent;
    for (std::size_t i = 0; result == ERROR_SUCCESS && i < names.size(); ++i)
        result = FindChild(id, names[i], id);
    return result;
}

LONG RegistryTable::Create(std::int64_t parent, const std::vector<std::u16string_view>& names, std::int64_t& id,
                           bool& created)
{
    created = false;
    // Keys mostly exist already: look without taking the write lock.
    if (Find(parent, names, id) == ERROR_SUCCESS)
        return ERROR_SUCCESS;
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return Cause(ERROR_CANTWRITE);
    LONG result = CheckKey(parent);
    if (result != ERROR_SUCCESS)
        return result;
    id = parent;
    for (std::u16string_view name : names) {
        std::int64_t child = 0;
        result = FindChild(id, name, child);
        if (result == ERROR_FILE_NOT_FOUND) {
            child = m_store.AllocateId();
            std::vector<std::uint8_t> bytes = NameBytes(name);
            std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
            SqlQuery insert(m_store, "INSERT INTO regkeys(id, parent, name, fold) VALUES(?1, ?2, ?3, ?4)");
            insert.Bind(1, child).Bind(2, id).Bind(3, bytes.data(), bytes.size()).Bind(4, fold.data(), fold.size());
            if (child == 0 || !insert.Run())
                return Cause(ERROR_CANTWRITE);
            created = true;
        } else if (result != ERROR_SUCCESS) {
            return result;
        } else {
            created = false;
        }
        id = child;
    }
    if (!created)
        return ERROR_SUCCESS;  // nothing written; the transaction just ends
    return txn.Commit() ? ERROR_SUCCESS : Cause(ERROR_CANTWRITE);
}

LONG RegistryTable::DeleteTree(std::int64_t parent, const std::vector<std::u16string_view>& names)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return Cause(ERROR_CANTWRITE);
    std::int64_t id = 0;
    LONG result = Find(parent, names, id);
    if (result != ERROR_SUCCESS)
        return result;
    // The key and everything below it: its values first, then the keys.
    static const std::string subtree =
        " IN (WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
        " SELECT k.id FROM regkeys k JOIN tree ON k.parent = tree.id) SELECT id FROM tree)";
    for (const char* target : {"DELETE FROM regvalues WHERE key", "DELETE FROM regkeys WHERE id"}) {
        SqlQuery remove(m_store, (target + subtree).c_str());
        remove.Bind(1, id);
        if (!remove.Run())
            return Cause(ERROR_CANTWRITE);
    }
    return txn.Commit() ? ERROR_SUCCESS : Cause(ERROR_CANTWRITE);
}

LONG RegistryTable::GetValue(std::int64_t key, std::u16string_view name, DWORD& type,
                             std::vector<std::uint8_t>& data)
{
    // One read transaction, so that the key and its value are seen together.
    StoreTransaction txn(m_store, false);
    LONG result = CheckKey(key);
    if (result != ERROR_SUCCESS)
        return result;
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    SqlQuery q(m_store, "SELECT type, data FROM regvalues WHERE key = ?1 AND fold = ?2");
    q.Bind(1, key).Bind(2, fold.data(), fold.size());
    if (!q.Step())
        return q.Failed() ? Cause(ERROR_CANTREAD) : ERROR_FILE_NOT_FOUND;
    type = static_cast<DWORD>(q.Int(0));
    data.assign(q.Blob(1), q.Blob(1) + q.BlobSize(1));
    return ERROR_SUCCESS;
}

LONG RegistryTable::SetValue(std::int64_t key, std::u16string_view name, DWORD type, const BYTE* data, DWORD size)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return Cause(ERROR_CANTWRITE);
    LONG result = CheckKey(key);
    if (result != ERROR_SUCCESS)
        return result;
    std::vector<std::uint8_t> bytes = NameBytes(name);
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    // A value written again keeps the name it was created with.
    SqlQuery q(m_store, "INSERT INTO regvalues(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
                        " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    q.Bind(1, key).Bind(2, bytes.data(), bytes.size()).Bind(3, fold.data(), fold.size());
    q.Bind(4, static_cast<std::int64_t>(type)).Bind(5, data, size);
    if (!q.Run())
        return Cause(ERROR_CANTWRITE);
    return txn.Commit() ? ERROR_SUCCESS : Cause(ERROR_CANTWRITE);
}

LONG RegistryTable::DeleteValue(std::int64_t key, std::u16string_view name)
{
    StoreTransaction txn(m_store);
    if (!txn.Ok())
        return Cause(ERROR_CANTWRITE);
    LONG result = CheckKey(key);
    if (result != ERROR_SUCCESS)
        return result;
    std::vector<std::uint8_t> fold = NameBytes(FoldName(name));
    SqlQuery q(m_store, "DELETE FROM regvalues WHERE key = ?1 AND fold = ?2 RETURNING key");
    q.Bind(1, key).Bind(2, fold.data(), fold.size());
    bool found = q.Step();
    if (!q.Run())
        return Cause(ERROR_CANTWRITE);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    return txn.Commit() ? ERROR_SUCCESS : Cause(ERROR_CANTWRITE);
}

}  // namespace platform
