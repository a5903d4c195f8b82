#pragma once
// The main view's item list: knows which item field each column shows and
// compares rows by that field's meaning (type, amount, date or text).

#include "owebook/views/IdListCtrl.h"

#include <optional>
#include <vector>

class CMainListCtrl : public CIdListCtrl {
public:
    CMainListCtrl();
    ~CMainListCtrl() override;

    void SortItems(int nColumn, BOOL bAscending) override;
    int CompareItems(int nIndex1, int nIndex2, DWORD nKey1, DWORD nKey2) override;

    // The item field (ITEMFIELD_*) that column i shows.
    SHORT m_nColumnField[7];

    // Reads a list text back into what it was made of; FALSE when it is no
    // such text. Amounts: the whole value, an empty text is 0.
    static BOOL ParseAmountText(const CString& text, double& value);
    // Dates as FormatDateTime writes them, in seconds since 1970 (UTC).
    static BOOL ParseDateText(const CString& text, double& seconds);

private:
    int CompareAmounts(int nIndex1, int nIndex2);
    int CompareDates(int nIndex1, int nIndex2);
    // Values read once per row and sort.
    const std::optional<double>& AmountOf(int nIndex);
    const std::optional<double>& DateOf(int nIndex);

    std::vector<std::optional<double>> m_values;
    std::vector<bool> m_valueRead;
};
