#include "owebook/views/MainListCtrl.h"

#include "owebook/data/ItemRecord.h"
#include "platform/core/Locale.h"
#include "platform/core/VariantTime.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// OLE dates count days from 1899-12-30.
constexpr double OLE_DAYS_TO_1970 = 25569.0;
constexpr double SECONDS_PER_DAY = 86400.0;

int Sign(double difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }

// A value that is no number sorts before every number, so the order stays whole.
int CompareValues(double a, double b)
{
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan)
        return (aNan ? 0 : 1) - (bNan ? 0 : 1);
    return Sign(a - b);
}

}  // namespace

CMainListCtrl::CMainListCtrl() : m_nColumnField{}
{
    m_nSortColumn = 0;
}

CMainListCtrl::~CMainListCtrl() = default;

BOOL CMainListCtrl::ParseAmountText(const CString& text, double& value)
{
    std::string narrow;
    for (int i = 0; i < text.GetLength(); ++i) {
        const WCHAR c = text.GetAt(i);
        if (c > 0x7F)
            break;
        narrow.push_back(static_cast<char>(c));
    }
    std::size_t at = narrow.find_first_not_of(" \t");
    if (at == std::string::npos) {
        value = 0.0;
        return TRUE;
    }
    if (narrow[at] == '+')
        ++at;
    double parsed = 0.0;
    const char* first = narrow.data() + at;
    const auto [end, error] = std::from_chars(first, narrow.data() + narrow.size(), parsed);
    if (error != std::errc() || end == first)
        return FALSE;
    value = parsed;
    return TRUE;
}

BOOL CMainListCtrl::ParseDateText(const CString& text, double& seconds)
{
    if (text.IsEmpty())
        return FALSE;
    DATE date = 0;
    if (VarDateFromStr(text.GetString(), LOCALE_USER_DEFAULT, 0, &date) != S_OK)
        return FALSE;
    seconds = (date - OLE_DAYS_TO_1970) * SECONDS_PER_DAY;
    // Items' dates start in 1970: a two-digit year read as 19xx before that
    // means 20xx (the window is 1970-2069).
    const CString picture = platform::GetShortDatePicture(true);
    if (picture.Find(u"yyyy") < 0 && seconds < 0) {
        SYSTEMTIME st{};
        if (VariantTimeToSystemTime(date, &st) && st.wYear < 1970) {
            st.wYear = static_cast<WORD>(st.wYear + 100);
            DATE shifted = 0;
            if (SystemTimeToVariantTime(&st, &shifted))
                seconds = (shifted - OLE_DAYS_TO_1970) * SECONDS_PER_DAY;
        }
    }
    return TRUE;
}

void CMainListCtrl::SortItems(int nColumn, BOOL bAscending)
{
    const int rows = GetItemCount();
    m_values.assign(static_cast<std::size_t>(rows), std::nullopt);
    m_valueRead.assign(static_cast<std::size_t>(rows), false);
    CIdListCtrl::SortItems(nColumn, bAscending);
    m_values.clear();
    m_valueRead.clear();
}

const std::optional<double>& CMainListCtrl::AmountOf(int nIndex)
{
    static const std::optional<double> none;
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_values.size())
        return none;
    const auto i = static_cast<std::size_t>(nIndex);
    if (!m_valueRead[i]) {
        double value = 0.0;
        if (ParseAmountText(SortText(nIndex), value))
            m_values[i] = value;
        m_valueRead[i] = true;
    }
    return m_values[i];
}

const std::optional<double>& CMainListCtrl::DateOf(int nIndex)
{
    static const std::optional<double> none;
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_values.size())
        return none;
    const auto i = static_cast<std::size_t>(nIndex);
    if (!m_valueRead[i]) {
        double seconds = 0.0;
        if (ParseDateText(SortText(nIndex), seconds))
            m_values[i] = seconds;
        m_valueRead[i] = true;
    }
    return m_values[i];
}

int CMainListCtrl::CompareAmounts(int nIndex1, int nIndex2)
{
    // Unreadable texts count as 0, as an empty one does.
    const double a = AmountOf(nIndex1).value_or(0.0);
    const double b = AmountOf(nIndex2).value_or(0.0);
    return m_bAscending ? CompareValues(a, b) : CompareValues(b, a);
}

int CMainListCtrl::CompareDates(int nIndex1, int nIndex2)
{
    const std::optional<double>& a = DateOf(nIndex1);
    const std::optional<double>& b = DateOf(nIndex2);
    int order = 0;
    if (a && b)
        order = Sign(*a - *b);
    else
        order = (a ? 0 : 1) - (b ? 0 : 1);   // rows without a date after the dated ones
    return m_bAscending ? order : -order;
}

int CMainListCtrl::CompareItems(int nIndex1, int nIndex2, DWORD nKey1, DWORD nKey2)
{
    const int field = (m_nSortColumn >= 0 && m_nSortColumn < ITEMFIELD_COUNT) ? m_nColumnField[m_nSortColumn] : -1;
    switch (field) {
    case ITEMFIELD_TYPE: {
        const int rank1 = SortText(nIndex1).Compare(u"IOU") == 0 ? 1 : 2;
        const int rank2 = SortText(nIndex2).Compare(u"IOU") == 0 ? 1 : 2;
        return m_bAscending ? rank1 - rank2 : rank2 - rank1;
    }
    case ITEMFIELD_AMOUNT:
        return CompareAmounts(nIndex1, nIndex2);
    case ITEMFIELD_RETURNED:
    case ITEMFIELD_DUE:
        return CompareDates(nIndex1, nIndex2);
    case ITEMFIELD_CATEGORY:
    case ITEMFIELD_NAME:
    case ITEMFIELD_DESCRIPTION: {
        const int order = SortText(nIndex1).CompareNoCase(SortText(nIndex2).GetString());
        return m_bAscending ? order : -order;
    }
    default:
        return CIdListCtrl::CompareItems(nIndex1, nIndex2, nKey1, nKey2);
    }
}
