#include "owebook/data/CsvReader.h"

CCsvReader::CCsvReader(const CString& text)
    : m_strLineSep(u"\r\n"), m_chFieldSep(u','), m_strText(text), m_nPos(0),
      m_nLength(text.GetLength())
{
    LoadField();
}

CCsvReader::Delimiter CCsvReader::FindDelimiter(int from, int& at, bool skipFieldSeparators) const
{
    for (int i = from; i < m_nLength; ++i) {
        WCHAR ch = m_strText.GetAt(i);
        if (ch == m_chFieldSep && !skipFieldSeparators) {
            at = i;
            return Delimiter::Field;
        }
        if (ch == m_strLineSep.GetAt(0) && i + 1 < m_nLength &&
            m_strText.GetAt(i + 1) == m_strLineSep.GetAt(1)) {
            at = i;
            return Delimiter::Line;
        }
    }
    at = m_nLength;
    return Delimiter::End;
}

BOOL CCsvReader::LoadField()
{
    int at = 0;
    if (FindDelimiter(m_nPos, at, false) == Delimiter::End || at == m_nPos)
        return FALSE;
    m_strField = m_strText.Mid(m_nPos, at - m_nPos);
    return TRUE;
}

BOOL CCsvReader::NextField()
{
    int at = 0;
    if (FindDelimiter(m_nPos + 1, at, false) != Delimiter::Field)
        return FALSE;
    m_nPos = at + 1;
    return LoadField();
}

BOOL CCsvReader::NextLine()
{
    int at = 0;
    if (FindDelimiter(m_nPos, at, true) != Delimiter::Line)
        return FALSE;
    m_nPos = at + m_strLineSep.GetLength();
    if (m_nPos >= m_nLength)
        return FALSE;
    LoadField();
    return TRUE;
}
