#pragma once
// A named entry of a database sorted by name: the name and whether the entry
// still exists for the user (deleted entries stay, inactive, so that what
// refers to them keeps a valid id).

#include "platform/core/CString.h"
#include "platform/store/CCeDBRecord.h"

constexpr WORD NAMEPROP_NAME = 101;    // string, the sort property
constexpr WORD NAMEPROP_ACTIVE = 102;  // bool

class CNamedRecord : public CCeDBRecord {
public:
    CNamedRecord();
    explicit CNamedRecord(LPCWSTR name);
    ~CNamedRecord() override;

    // Takes one column of a line of a default list.
    virtual void SetField(int column, const CString& text);

    CString GetName() const;
    void SetName(LPCWSTR name);
    BOOL GetActive() const;
    void SetActive(BOOL active);

protected:
    BOOL GetFlag(WORD ident) const;
    void SetFlag(WORD ident, BOOL flag);
};
