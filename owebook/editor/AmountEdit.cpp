#include "owebook/editor/AmountEdit.h"

#include "owebook/views/Formatting.h"
#include "platform/ui/WinApi.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CAmountEdit, CEdit)
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, OnPaste)
END_MESSAGE_MAP()

namespace {

bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

}  // namespace

CAmountEdit::CAmountEdit()
    : m_dValue(0.0), m_nDecimals(2), m_bAllowNegative(1), m_nMaxChars(14), m_dMaxValue(1e10)
{
}

CAmountEdit::~CAmountEdit() = default;

void CAmountEdit::Setup(double value, int nDecimals, BYTE bAllowNegative, int nMaxChars, double dMaxValue)
{
    m_dValue = value;
    m_nDecimals = nDecimals;
    m_bAllowNegative = bAllowNegative;
    m_nMaxChars = nMaxChars > 0 ? nMaxChars : 0;
    m_dMaxValue = dMaxValue;
    FormatAmount(m_dValue, m_nDecimals, m_strText);
    m_pszBuffer = std::make_unique<char[]>(static_cast<std::size_t>(m_nMaxChars) + 1);
}

void CAmountEdit::ShowValue()
{
    FormatAmount(m_dValue, m_nDecimals, m_strText);
    SetWindowText(m_strText);
}

double CAmountEdit::GetValue()
{
    ReadValue();
    return m_dValue;
}

void CAmountEdit::ReadValue()
{
    CString text;
    GetWindowText(text);
    m_dValue = ParseText(text);
    FormatAmount(m_dValue, m_nDecimals, m_strText);
}

double CAmountEdit::ParseText(const CString& text)
{
    if (!m_pszBuffer)
        m_pszBuffer = std::make_unique<char[]>(static_cast<std::size_t>(m_nMaxChars) + 1);
    // Only the plain form is copied: the C library would also read exponents,
    // "inf" and "nan", which the field must never yield.
    const int length = text.GetLength();
    int at = 0;
    int out = 0;
    while (at < length && text.GetAt(at) == u' ')
        ++at;
    if (at < length && (text.GetAt(at) == u'-' || text.GetAt(at) == u'+') && out < m_nMaxChars)
        m_pszBuffer[out++] = static_cast<char>(text.GetAt(at++));
    bool point = false;
    for (; at < length && out < m_nMaxChars; ++at) {
        const WCHAR c = text.GetAt(at);
        if (c == u'.' && !point)
            point = true;
        else if (!IsDigit(c))
            break;
        m_pszBuffer[out++] = static_cast<char>(c);
    }
    m_pszBuffer[out] = '\0';
    return std::strtod(m_pszBuffer.get(), nullptr);
}

BOOL CAmountEdit::IsCharAllowed(UINT nChar)
{
    const bool control = nChar < 32;
    const bool backspace = nChar == 8;
    const bool minus = nChar == u'-';
    const bool point = nChar == u'.';
    if (!control && !IsDigit(static_cast<WCHAR>(nChar)) && !(minus && m_bAllowNegative == 1) &&
        !(point && m_nDecimals > 0))
        return FALSE;

    CString text;
    GetWindowText(text);
    const int length = text.GetLength();
    int start = 0, end = 0;
    GetSel(start, end);
    if (!backspace && length - (end - start) >= m_nMaxChars)
        return FALSE;
    if (length == 0)
        return TRUE;
    if (point && (text.Find(u'.') >= 0 || start == 0))
        return FALSE;
    if (minus && (text.Find(u'-') >= 0 || start != 0))
        return FALSE;
    if (!backspace) {
        const int p = text.Find(u'.');
        if (p >= 0) {
            if (start > p + m_nDecimals)
                return FALSE;
            if (p < start && start < length && length - p - end + start > m_nDecimals)
                return FALSE;
        }
    }
    return TRUE;
}

BOOL CAmountEdit::IsTextAllowed(const CString& text)
{
    const int length = text.GetLength();
    if (length > m_nMaxChars)
        return FALSE;
    int point = -1;
    for (int i = 0; i < length; ++i) {
        const WCHAR c = text.GetAt(i);
        if (IsDigit(c))
            continue;
        if (c == u'-' && m_bAllowNegative == 1 && i == 0)
            continue;
        if (c == u'.' && m_nDecimals > 0 && point < 0) {
            point = i;
            continue;
        }
        return FALSE;
    }
    if (point >= 0 && length - point - 1 > m_nDecimals)
        return FALSE;
    return ParseText(text) <= m_dMaxValue;
}

void CAmountEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsCharAllowed(nChar)) {
        ::MessageBeep(MB_OK);
        return;
    }
    const HWND self = m_hWnd;
    Default();
    if (!::IsWindow(self))
        return;
    CString text;
    GetWindowText(text);
    if (ParseText(text) > m_dMaxValue) {
        ::MessageBeep(MB_OK);
        int start = 0, end = 0;
        GetSel(start, end);
        Undo();
        SetSel(start > 0 ? start - 1 : 0, end > 0 ? end - 1 : 0);
    }
    EmptyUndoBuffer();
}

LRESULT CAmountEdit::OnPaste(WPARAM, LPARAM)
{
    // A paste is held to the typing rules: what would not have been typed is
    // taken back whole.
    CString before;
    GetWindowText(before);
    int start = 0, end = 0;
    GetSel(start, end);
    const HWND self = m_hWnd;
    Default();
    if (!::IsWindow(self))
        return 0;
    CString after;
    GetWindowText(after);
    if (after == before || IsTextAllowed(after))
        return 0;
    ::MessageBeep(MB_OK);
    SetWindowText(before);
    SetSel(start, end);
    return 0;
}
