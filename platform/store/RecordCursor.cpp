#include "platform/store/RecordCursor.h"

#include "platform/store/SqlQuery.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr std::size_t kFirstBatch = 16;
constexpr std::size_t kEqualBatch = 2;  // a value seek is mostly a lookup
constexpr std::size_t kLargestBatch = 1024;

// Each statement seeks the index on all its equality columns; a row-value
// comparison would only seek on the key and then scan the equal keys.
const char* const kFromStart =
    "SELECT oid, sortkey, props FROM records WHERE db = ?1 ORDER BY sortkey, oid LIMIT ?2 OFFSET ?3";
const char* const kSameKey =
    "SELECT oid, sortkey, props FROM records WHERE db = ?1 AND sortkey = ?2 AND oid > ?3"
    " ORDER BY oid LIMIT ?4";
const char* const kLaterKeys =
    "SELECT oid, sortkey, props FROM records WHERE db = ?1 AND sortkey > ?2"
    " ORDER BY sortkey, oid LIMIT ?3";
// Id order over a sorted database: walk the table itself, not the index.
const char* const kByOid =
    "SELECT oid, X'', props FROM records NOT INDEXED WHERE oid > ?2 AND db = ?1"
    " ORDER BY oid LIMIT ?3 OFFSET ?4";
const char* const kOne = "SELECT oid, sortkey, props FROM records WHERE oid = ?1 AND db = ?2";

}  // namespace

void RecordCursor::Attach(std::shared_ptr<Store> store, CEOID db, bool byKey)
{
    m_store = std::move(store);
    m_db = db;
    m_byKey = byKey;
    m_state = State::None;
    m_rows.clear();
    m_arena.clear();
}

void RecordCursor::Detach()
{
    Attach(nullptr, 0, true);
}

bool RecordCursor::Fresh() const
{
    return m_store && m_generation == m_store->Generation();
}

CEOID RecordCursor::Land(std::size_t at)
{
    const Row& row = m_rows[at];
    m_at = at;
    m_state = State::OnRecord;
    m_oid = row.oid;
    if (m_byKey)
        m_key.assign(m_arena.data() + row.keyAt, m_arena.data() + row.keyAt + row.keySize);
    return m_oid;
}

void RecordCursor::ToEnd()
{
    if (m_store)
        m_state = State::AtEnd;
}

void RecordCursor::AppendRows(SqlQuery& q)
{
    while (q.Step()) {
        Row row{static_cast<CEOID>(q.Int(0)), 0, static_cast<std::uint32_t>(q.BlobSize(1)), 0,
                static_cast<std::uint32_t>(q.BlobSize(2))};
        row.keyAt = static_cast<std::uint32_t>(m_arena.size());
        m_arena.insert(m_arena.end(), q.Blob(1), q.Blob(1) + row.keySize);
        row.propsAt = static_cast<std::uint32_t>(m_arena.size());
        m_arena.insert(m_arena.end(), q.Blob(2), q.Blob(2) + row.propsSize);
        m_rows.push_back(row);
    }
}

bool RecordCursor::Fetch(const std::vector<std::uint8_t>* afterKey, CEOID afterOid, DWORD offset, std::size_t limit)
{
    m_rows.clear();
    m_arena.clear();
    m_rowsReachEnd = false;
    if (!m_store)
        return false;
    m_generation = m_store->Generation();
    auto db = static_cast<std::int64_t>(m_db);
    auto count = static_cast<std::int64_t>(limit);
    bool failed = false;
    if (!m_byKey) {
        SqlQuery q(*m_store, kByOid);
        q.Bind(1, db).Bind(2, static_cast<std::int64_t>(afterOid)).Bind(3, count).Bind(4, offset);
        AppendRows(q);
        failed = q.Failed();
    } else if (!afterKey) {
        SqlQuery q(*m_store, kFromStart);
        q.Bind(1, db).Bind(2, count).Bind(3, offset);
        AppendRows(q);
        failed = q.Failed();
    } else {
        SqlQuery same(*m_store, kSameKey);
        same.Bind(1, db).Bind(2, afterKey->data(), afterKey->size()).Bind(3, static_cast<std::int64_t>(afterOid));
        same.Bind(4, count);
        AppendRows(same);
        failed = same.Failed();
        if (!failed && m_rows.size() < limit) {
            SqlQuery later(*m_store, kLaterKeys);
            later.Bind(1, db).Bind(2, afterKey->data(), afterKey->size());
            later.Bind(3, static_cast<std::int64_t>(limit - m_rows.size()));
            AppendRows(later);
            failed = later.Failed();
        }
    }
    if (failed) {
        m_rows.clear();
        return false;
    }
    m_rowsReachEnd = m_rows.size() < limit;
    return !m_rows.empty();
}

bool RecordCursor::FetchRecord(CEOID oid)
{
    m_rows.clear();
    m_arena.clear();
    m_rowsReachEnd = false;
    if (!m_store || oid == 0)
        return false;
    m_generation = m_store->Generation();
    SqlQuery q(*m_store, kOne);
    q.Bind(1, static_cast<std::int64_t>(oid)).Bind(2, static_cast<std::int64_t>(m_db));
    if (!q.Step())
        return false;
    Row row{oid, 0, m_byKey ? static_cast<std::uint32_t>(q.BlobSize(1)) : 0, 0,
            static_cast<std::uint32_t>(q.BlobSize(2))};
    if (m_byKey)
        m_arena.assign(q.Blob(1), q.Blob(1) + row.keySize);
    row.propsAt = static_cast<std::uint32_t>(m_arena.size());
    m_arena.insert(m_arena.end(), q.Blob(2), q.Blob(2) + row.propsSize);
    m_rows.push_back(row);
    return true;
}

CEOID RecordCursor::First()
{
    m_batch = kFirstBatch;
    if (!Fetch(nullptr, 0, 0, m_batch)) {
        ToEnd();
        return 0;
    }
    return Land(0);
}

CEOID RecordCursor::Next()
{
    if (m_state != State::OnRecord)
        return 0;
    if (Fresh() && m_at + 1 < m_rows.size() && m_rows[m_at].oid == m_oid)
        return Land(m_at + 1);
    if (Fresh() && m_rowsReachEnd && m_at + 1 >= m_rows.size() && !m_rows.empty() &&
        m_rows[m_at].oid == m_oid) {
        ToEnd();
        return 0;
    }
    m_batch = std::min(std::max<std::size_t>(m_batch, 1) * 4, kLargestBatch);
    if (!Fetch(&m_key, m_oid, 0, m_batch)) {
        ToEnd();
        return 0;
    }
    return Land(0);
}

bool RecordCursor::ToRecord(CEOID oid)
{
    m_batch = 1;
    if (!FetchRecord(oid)) {
        ToEnd();
        return false;
    }
    Land(0);
    return true;
}

bool RecordCursor::ToIndex(DWORD index)
{
    m_batch = kFirstBatch;
    if (!Fetch(nullptr, 0, index, m_batch)) {
        ToEnd();
        return false;
    }
    Land(0);
    return true;
}

CEOID RecordCursor::FirstEqual(const std::vector<std::uint8_t>& key)
{
    m_batch = kEqualBatch;
    if (!m_byKey || !Fetch(&key, 0, 0, m_batch)) {
        ToEnd();
        return 0;
    }
    Land(0);
    if (m_key != key) {
        ToEnd();
        return 0;
    }
    return m_oid;
}

CEOID RecordCursor::NextEqual(const std::vector<std::uint8_t>& key)
{
    if (!m_byKey || Next() == 0)
        return 0;
    if (m_key != key) {
        ToEnd();
        return 0;
    }
    return m_oid;
}

bool RecordCursor::CurrentProps(const std::uint8_t*& data, std::size_t& size)
{
    if (m_state != State::OnRecord)
        return false;
    bool held = Fresh() && m_at < m_rows.size() && m_rows[m_at].oid == m_oid;
    if (!held) {
        if (!FetchRecord(m_oid))
            return false;  // deleted; the position stays for Next
        Land(0);
    }
    const Row& row = m_rows[m_at];
    data = m_arena.data() + row.propsAt;
    size = row.propsSize;
    return true;
}

void RecordCursor::Follow(CEOID oid, const std::vector<std::uint8_t>& key)
{
    m_state = State::OnRecord;
    m_oid = oid;
    if (m_byKey)
        m_key = key;
    m_rows.clear();
    m_arena.clear();
    m_rowsReachEnd = false;
}

}  // namespace platform
