#pragma once
// A property database of the device's object store. All databases of the
// device live in one store file; the object stays bound to one open database
// until it is closed.
//
// Records are reached through a seek position. A failed seek leaves no
// current record (reads and writes over it fail) until the next successful
// seek. Writing a record, new or over the current one, makes it current.

#include "platform/store/CCeDBRecord.h"
#include "platform/store/DatabaseCatalog.h"
#include "platform/store/RecordCursor.h"

#include <memory>
#include <string>

class CCeDBDatabase {
public:
    CCeDBDatabase();
    virtual ~CCeDBDatabase();
    CCeDBDatabase(const CCeDBDatabase&) = delete;
    CCeDBDatabase& operator=(const CCeDBDatabase&) = delete;

    // Names match without regard to letter case.
    static BOOL Exists(LPCWSTR name);
    static BOOL DeleteDatabase(LPCWSTR name);

    // Creates a database without opening it; FALSE when the name is taken.
    // Sort orders: none, or one ascending property; records that lack it
    // sort last, or first with CEDB_SORT_UNKNOWNFIRST. Strings compare by
    // UTF-16 code unit, case-sensitively.
    virtual BOOL Create(LPCWSTR name, DWORD type = 0, WORD numSortOrders = 0, SORTORDERSPEC* sortOrders = nullptr);
    // Opens with the database's own sort order, or without one (records in
    // the order they were first written). Closes what was open before.
    virtual BOOL Open(LPCWSTR name, SORTORDERSPEC* sortOrder = nullptr, void* notifyWindow = nullptr);
    virtual void Close();
    // Deletes the open database with its records, and closes it.
    virtual BOOL Delete();
    BOOL IsOpen() const { return m_store ? TRUE : FALSE; }
    HANDLE GetHandle() const;  // for CeDeleteRecord; null when closed
    CEOID GetDatabaseID() const { return m_info.id; }
    DWORD GetDatabaseType() const { return m_info.type; }

    virtual DWORD GetRecordCount();

    // The object id reached, 0 when there is none.
    virtual CEOID SeekFirst();
    virtual CEOID SeekNext();
    virtual BOOL SeekToRecord(CEOID oid);
    virtual BOOL SeekToIndex(DWORD index);
    // Seeks by a value of the sort property (same id and type); only on a
    // database opened with its sort order.
    virtual CEOID SeekFirstEqual(const CCeDBProp& value);
    virtual CEOID SeekNextEqual(const CCeDBProp& value);
    CEOID GetCurrentRecordID() const { return m_cursor.Current(); }

    // Fills each property of the record from the current record's property
    // of the same id and type; one the stored record lacks gets no value.
    virtual BOOL ReadCurrRecord(CCeDBRecord* record);
    // Stores the record's properties that have a value, each write one
    // transaction that is durable when the call returns.
    virtual CEOID AddRecord(CCeDBRecord* record);
    // Replaces the given properties of the current record, keeps its others.
    virtual BOOL WriteCurrRecord(CCeDBRecord* record);
    virtual BOOL DeleteCurrRecord();

private:
    friend BOOL CeDeleteRecord(HANDLE, CEOID);
    BOOL DeleteRecord(CEOID oid);

    std::shared_ptr<platform::Store> m_store;  // set while open
    platform::DatabaseInfo m_info;
    bool m_openSorted = false;
    platform::RecordCursor m_cursor;
};
