#pragma once
// The edit control: single line (scrolling sideways) or multi-line, read-only,
// text limit, selection, one undo level, clipboard. Its behaviour is the
// "Edit" class's (EditProc); this class sends messages. A program class
// derived from it (or any object attached to an edit) sees typed characters
// in its own WM_CHAR handler first; one that does not call Default() refuses
// the character, and after Default() the character is in the text.

#include "platform/ui/CWnd.h"
#include "platform/ui/CommCtrl.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    using CWnd::Create;  // the generic creation stays reachable beside this one
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    BOOL CanUndo() const;
    BOOL Undo();
    void EmptyUndoBuffer();
    int GetLineCount() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo = FALSE);
    void LimitText(int nChars = 0);
    void SetLimitText(UINT nMax);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    int LineIndex(int nLine = -1) const;
    int LineLength(int nLine = -1) const;
    void Clear();
    void Copy();
    void Cut();
    void Paste();
};
