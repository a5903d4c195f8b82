#pragma once
// Reads the comma-separated default lists kept in the program's resources.
// A field ends at ',' or at a CR LF; an empty field ends the reading of its
// line, and the last field of the text is read only when a CR LF follows it.

#include "platform/core/CString.h"

class CCsvReader {
public:
    explicit CCsvReader(const CString& text);
    virtual ~CCsvReader() = default;

    void GetField(CString& field) const { field = m_strField; }
    BOOL NextField();
    BOOL NextLine();

private:
    enum class Delimiter { Field, Line, End };

    // Walks forward from `from`; `at` receives where the delimiter starts.
    Delimiter FindDelimiter(int from, int& at, bool skipFieldSeparators) const;
    BOOL LoadField();

    CString m_strLineSep;
    WCHAR m_chFieldSep;
    CString m_strText;
    int m_nPos;
    int m_nLength;
    CString m_strField;
};
