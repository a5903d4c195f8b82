#pragma once
// Property-database constants and structures of the handheld's object store.

#include "platform/core/Types.h"

// The last error of a seek or record call whose record is not there.
constexpr LONG ERROR_NOT_FOUND = 1168;

// Value types: the low word of a property id.
constexpr WORD CEVT_I2 = 2;
constexpr WORD CEVT_UI2 = 18;
constexpr WORD CEVT_I4 = 3;
constexpr WORD CEVT_UI4 = 19;
constexpr WORD CEVT_BOOL = 11;
constexpr WORD CEVT_R8 = 5;
constexpr WORD CEVT_LPWSTR = 31;
constexpr WORD CEVT_BLOB = 65;

// A property id: high word the property's number, low word its value type.
#define PROPID(propid) HIWORD(propid)
#define TYPEID(propid) LOWORD(propid)
#define MAKEPROP(ident, type) ((CEPROPID)MAKELONG((type), (ident)))

// Sort flags. Records that lack the sort property go last unless
// CEDB_SORT_UNKNOWNFIRST puts them first; the store keeps ascending,
// case-sensitive orders only.
constexpr DWORD CEDB_SORT_DESCENDING = 0x00000001;
constexpr DWORD CEDB_SORT_CASEINSENSITIVE = 0x00000002;
constexpr DWORD CEDB_SORT_UNKNOWNFIRST = 0x00000004;
constexpr WORD CEDB_MAXSORTORDER = 1;

// Seek kinds, for callers that name them.
constexpr DWORD CEDB_SEEK_CEOID = 0x00000001;
constexpr DWORD CEDB_SEEK_BEGINNING = 0x00000002;
constexpr DWORD CEDB_SEEK_END = 0x00000004;
constexpr DWORD CEDB_SEEK_CURRENT = 0x00000008;
constexpr DWORD CEDB_SEEK_VALUEFIRSTEQUAL = 0x00000040;
constexpr DWORD CEDB_SEEK_VALUENEXTEQUAL = 0x00000080;

struct SORTORDERSPEC {
    CEPROPID propid;
    DWORD dwFlags;
};

struct CEBLOB {
    DWORD dwCount;
    BYTE* lpb;
};

// Deletes a record of the database whose handle is given; oid 0 = its current record.
BOOL CeDeleteRecord(HANDLE hDatabase, CEOID oidRecord);
