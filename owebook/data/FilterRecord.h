#pragma once
// The column layout of one view mode, a record of "OwebookFilter": the mode
// number, the width of each item field's column (0 = not shown) and three
// reserved values that are written back as they were read.

#include "platform/core/CString.h"
#include "platform/store/CCeDBRecord.h"

constexpr WCHAR FILTER_DATABASE[] = u"OwebookFilter";
constexpr DWORD FILTER_DATABASE_TYPE = 102;

constexpr WORD FILTERPROP_RESERVED1 = 101;   // bool
constexpr WORD FILTERPROP_MODE = 102;        // SHORT: the view mode
constexpr WORD FILTERPROP_RESERVED2 = 103;   // bool
constexpr WORD FILTERPROP_RESERVED3 = 104;   // string
constexpr WORD FILTERPROP_WIDTHS = 105;      // blob: 7 little-endian SHORTs

constexpr int FILTER_FIELDS = 7;

class CFilterRecord : public CCeDBRecord {
public:
    CFilterRecord();
    ~CFilterRecord() override;

    void SetDefaults();

    BOOL GetReserved1() const;
    SHORT GetMode() const;
    BOOL GetReserved2() const;
    CString GetReserved3() const;
    void SetReserved1(BOOL value);
    void SetMode(SHORT mode);
    void SetReserved2(BOOL value);
    void SetReserved3(LPCWSTR value);
    void SetWidths(const SHORT widths[FILTER_FIELDS]);

    // The stored widths; fields the stored value does not reach are 0.
    void GetWidths(SHORT widths[FILTER_FIELDS]) const;
    BOOL IsFieldShown(int field) const;

private:
    const CCeDBProp* ValueOf(WORD ident) const;
};
