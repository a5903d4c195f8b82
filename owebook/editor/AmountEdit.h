#pragma once
// The amount field: an edit that takes only a plain decimal number (digits,
// one point with a bounded number of digits after it, a leading minus when
// negatives are allowed, a bounded length and value), keeps it as a double and
// shows it as the program formats amounts. The point is always '.', whatever
// the regional settings say.

#include "platform/ui/controls/edit/CEdit.h"

#include <memory>

class CAmountEdit : public CEdit {
public:
    CAmountEdit();
    ~CAmountEdit() override;

    // Takes the settings and formats the value; the window text is left alone.
    void Setup(double value, int nDecimals, BYTE bAllowNegative, int nMaxChars, double dMaxValue);
    // Shows m_dValue in the field.
    void ShowValue();
    // The field's value (ReadValue first).
    double GetValue();
    void ReadValue();
    // The number the text starts with: digits with an optional sign and point,
    // never an exponent, infinity or NaN; 0 when there are no digits.
    double ParseText(const CString& text);
    // The keystroke filter, against the field's text and selection now.
    BOOL IsCharAllowed(UINT nChar);
    // Whether the whole text keeps the rules a typed text keeps (for a paste).
    BOOL IsTextAllowed(const CString& text);

    double m_dValue;
    int m_nDecimals;
    BYTE m_bAllowNegative;
    CString m_strText;
    int m_nMaxChars;
    double m_dMaxValue;
    std::unique_ptr<char[]> m_pszBuffer;   // m_nMaxChars + 1 bytes, for parsing

protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
