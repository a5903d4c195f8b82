#pragma once
// A category: a named entry with a money flag (money categories carry an amount).

#include "owebook/data/NamedRecord.h"

constexpr WORD CATPROP_ISMONEY = 103;  // bool

class CCategoryRecord : public CNamedRecord {
public:
    CCategoryRecord();
    CCategoryRecord(LPCWSTR name, BOOL isMoney);
    ~CCategoryRecord() override;

    // Columns: 0 name, 1 is-money, 2 active.
    void SetField(int column, const CString& text) override;

    BOOL GetIsMoney() const;
    void SetIsMoney(BOOL isMoney);
};
