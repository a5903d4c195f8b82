#include "platform/store/CCeDBDatabase.h"

#include "platform/core/LastError.h"
#include "platform/store/PropertyCodec.h"
#include "platform/store/RecordTable.h"

#include <mutex>
#include <set>

namespace {

std::mutex g_handleLock;
std::set<const CCeDBDatabase*> g_openHandles;

std::u16string_view NameOf(LPCWSTR name)
{
    return name ? std::u16string_view(name) : std::u16string_view();
}

bool KnownType(WORD type)
{
    switch (type) {
    case CEVT_I2:
    case CEVT_UI2:
    case CEVT_I4:
    case CEVT_UI4:
    case CEVT_BOOL:
    case CEVT_R8:
    case CEVT_LPWSTR:
    case CEVT_BLOB:
        return true;
    default:
        return false;
    }
}

}  // namespace

CCeDBDatabase::CCeDBDatabase() = default;

CCeDBDatabase::~CCeDBDatabase()
{
    CCeDBDatabase::Close();
}

BOOL CCeDBDatabase::Exists(LPCWSTR name)
{
    auto store = platform::Store::ForDevice();
    platform::DatabaseInfo info;
    return store && !NameOf(name).empty() && platform::DatabaseCatalog(*store).Find(NameOf(name), info);
}

BOOL CCeDBDatabase::DeleteDatabase(LPCWSTR name)
{
    auto store = platform::Store::ForDevice();
    platform::DatabaseInfo info;
    if (!store || NameOf(name).empty() || !platform::DatabaseCatalog(*store).Find(NameOf(name), info))
        return FALSE;
    return platform::DatabaseCatalog(*store).Delete(info.id);
}

BOOL CCeDBDatabase::Create(LPCWSTR name, DWORD type, WORD numSortOrders, SORTORDERSPEC* sortOrders)
{
    if (NameOf(name).empty() || numSortOrders > CEDB_MAXSORTORDER || (numSortOrders && !sortOrders))
        return FALSE;
    CEPROPID sortProp = 0;
    DWORD sortFlags = 0;
    if (numSortOrders) {
        sortProp = sortOrders[0].propid;
        sortFlags = sortOrders[0].dwFlags;
        // Descending and case-insensitive orders are not kept; refusing them
        // beats yielding records in an order the caller did not ask for.
        if (!KnownType(TYPEID(sortProp)) || (sortFlags & ~CEDB_SORT_UNKNOWNFIRST))
            return FALSE;
    }
    auto store = platform::Store::ForDevice();
    return store && platform::DatabaseCatalog(*store).Create(NameOf(name), type, sortProp, sortFlags) != 0;
}

BOOL CCeDBDatabase::Open(LPCWSTR name, SORTORDERSPEC* sortOrder, void* /*notifyWindow*/)
{
    Close();
    auto store = platform::Store::ForDevice();
    platform::DatabaseInfo info;
    if (!store || NameOf(name).empty() || !platform::DatabaseCatalog(*store).Find(NameOf(name), info))
        return FALSE;
    bool sorted = sortOrder && sortOrder->propid != 0;
    if (sorted && sortOrder->propid != info.sortProp)
        return FALSE;  // only the order the database was created with is kept
    m_store = store;
    m_info = info;
    m_openSorted = sorted;
    // Unsorted databases keep one empty key, so key order is id order there.
    m_cursor.Attach(store, info.id, sorted || info.sortProp == 0);
    std::lock_guard<std::mutex> guard(g_handleLock);
    g_openHandles.insert(this);
    return TRUE;
}

void CCeDBDatabase::Close()
{
    if (!m_store)
        return;
    {
        std::lock_guard<std::mutex> guard(g_handleLock);
        g_openHandles.erase(this);
    }
    m_cursor.Detach();
    m_store.reset();
    m_info = platform::DatabaseInfo();
    m_openSorted = false;
}

BOOL CCeDBDatabase::Delete()
{
    if (!m_store)
        return FALSE;
    bool deleted = platform::DatabaseCatalog(*m_store).Delete(m_info.id);
    Close();
    return deleted ? TRUE : FALSE;
}

HANDLE CCeDBDatabase::GetHandle() const
{
    return m_store ? const_cast<CCeDBDatabase*>(this) : nullptr;
}

DWORD CCeDBDatabase::GetRecordCount()
{
    return m_store ? platform::RecordTable(*m_store, m_info).Count() : 0;
}

CEOID CCeDBDatabase::SeekFirst()
{
    return m_cursor.First();
}

CEOID CCeDBDatabase::SeekNext()
{
    return m_cursor.Next();
}

BOOL CCeDBDatabase::SeekToRecord(CEOID oid)
{
    if (m_cursor.ToRecord(oid))
        return TRUE;
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
}

BOOL CCeDBDatabase::SeekToIndex(DWORD index)
{
    return m_cursor.ToIndex(index) ? TRUE : FALSE;
}

CEOID CCeDBDatabase::SeekFirstEqual(const CCeDBProp& value)
{
    std::vector<std::uint8_t> key;
    if (!m_openSorted || value.GetPropID() != m_info.sortProp || !platform::PropertyCodec::ValueKey(value, key)) {
        m_cursor.ToEnd();
        return 0;
    }
    return m_cursor.FirstEqual(key);
}

CEOID CCeDBDatabase::SeekNextEqual(const CCeDBProp& value)
{
    std::vector<std::uint8_t> key;
    if (!m_openSorted || value.GetPropID() != m_info.sortProp || !platform::PropertyCodec::ValueKey(value, key)) {
        m_cursor.ToEnd();
        return 0;
    }
    return m_cursor.NextEqual(key);
}

BOOL CCeDBDatabase::ReadCurrRecord(CCeDBRecord* record)
{
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    if (!record) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!m_cursor.CurrentProps(data, size)) {
        SetLastError(m_store ? ERROR_NOT_FOUND : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!platform::PropertyCodec::Fill(*record, data, size)) {
        m_store->Warn("a damaged record cannot be read");
        return FALSE;
    }
    return TRUE;
}

CEOID CCeDBDatabase::AddRecord(CCeDBRecord* record)
{
    if (!record || !m_store)
        return 0;
    std::vector<std::uint8_t> key;
    CEOID oid = platform::RecordTable(*m_store, m_info).Insert(*record, key);
    if (oid)
        m_cursor.Follow(oid, key);
    return oid;
}

BOOL CCeDBDatabase::WriteCurrRecord(CCeDBRecord* record)
{
    CEOID oid = m_cursor.Current();
    if (!record || !m_store || oid == 0) {
        SetLastError(!record ? ERROR_INVALID_PARAMETER : !m_store ? ERROR_INVALID_HANDLE : ERROR_NOT_FOUND);
        return FALSE;
    }
    std::vector<std::uint8_t> key;
    if (!platform::RecordTable(*m_store, m_info).Update(oid, *record, key))
        return FALSE;
    m_cursor.Follow(oid, key);
    return TRUE;
}

BOOL CCeDBDatabase::DeleteCurrRecord()
{
    return DeleteRecord(0);
}

BOOL CCeDBDatabase::DeleteRecord(CEOID oid)
{
    if (oid == 0)
        oid = m_cursor.Current();
    if (!m_store || oid == 0) {
        SetLastError(!m_store ? ERROR_INVALID_HANDLE : ERROR_NOT_FOUND);
        return FALSE;
    }
    return platform::RecordTable(*m_store, m_info).Remove(oid) ? TRUE : FALSE;
}

BOOL CeDeleteRecord(HANDLE hDatabase, CEOID oidRecord)
{
    CCeDBDatabase* database = static_cast<CCeDBDatabase*>(hDatabase);
    {
        std::lock_guard<std::mutex> guard(g_handleLock);
        if (!hDatabase || !g_openHandles.count(database))
            return FALSE;
    }
    return database->DeleteRecord(oidRecord);
}
