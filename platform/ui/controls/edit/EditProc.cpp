#include "platform/ui/controls/edit/EditProc.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/MessageTable.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/edit/EditChanges.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace platform {
namespace {

int IntOf(WPARAM wParam) { return static_cast<int>(static_cast<std::intptr_t>(wParam)); }

// --- text ----------------------------------------------------------------------

LRESULT OnSetText(EditAccess& edit, WPARAM, LPARAM lParam)
{
    EditState* s = edit.State();
    s->typingRun = false;
    s->canUndo = false;
    ++s->internal;
    edit.SetText(EditAccess::FromProgram(FromWide(reinterpret_cast<LPCWSTR>(lParam))));
    edit.Select(0, 0);
    --s->internal;
    s->modified = false;
    Commit(edit, true);
    return TRUE;
}

LRESULT OnGetTextLength(EditAccess& edit, WPARAM, LPARAM) { return ProgramLength(edit); }

LRESULT OnGetText(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    return CopyText(EditAccess::ToProgram(edit.Text()), reinterpret_cast<LPWSTR>(lParam), static_cast<int>(wParam));
}

LRESULT OnChar(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = edit.Hwnd();
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hwnd, GWL_STYLE));
    if (!edit.ReadOnly() && !CharacterFits(edit, style, static_cast<UINT>(wParam)))
        return 0;
    return ::DefWindowProc(hwnd, WM_CHAR, wParam, lParam);
}

LRESULT OnReplaceSel(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    InsertLimited(edit, EditAccess::FromProgram(FromWide(reinterpret_cast<LPCWSTR>(lParam))), wParam != 0);
    return 0;
}

LRESULT OnLimitText(EditAccess& edit, WPARAM wParam, LPARAM)
{
    edit.State()->limit = (wParam == 0 || wParam > 0x7FFFFFFE) ? 0x7FFFFFFE : static_cast<int>(wParam);
    return 0;
}

LRESULT OnGetLimitText(EditAccess& edit, WPARAM, LPARAM) { return edit.State()->limit; }

LRESULT OnSetReadOnly(EditAccess& edit, WPARAM wParam, LPARAM)
{
    edit.SetReadOnly(wParam != 0);
    const HWND hwnd = edit.Hwnd();
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hwnd, GWL_STYLE));
    ::SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
    return TRUE;
}

LRESULT OnGetModify(EditAccess& edit, WPARAM, LPARAM) { return edit.State()->modified ? TRUE : FALSE; }

LRESULT OnSetModify(EditAccess& edit, WPARAM wParam, LPARAM)
{
    edit.State()->modified = wParam != 0;
    return 0;
}

// --- selection -----------------------------------------------------------------

LRESULT OnGetSel(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    const int start = SelectionEdge(edit, true);
    const int end = SelectionEdge(edit, false);
    if (auto* p = reinterpret_cast<DWORD*>(wParam))
        *p = static_cast<DWORD>(start);
    if (auto* p = reinterpret_cast<DWORD*>(lParam))
        *p = static_cast<DWORD>(end);
    return MAKELONG(std::min(start, 0xFFFF), std::min(end, 0xFFFF));
}

LRESULT OnSetSel(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    MoveSelection(edit, IntOf(wParam), static_cast<int>(lParam));
    return 0;
}

LRESULT OnScrollCaret(EditAccess& edit, WPARAM, LPARAM)
{
    if (auto* multi = qobject_cast<QPlainTextEdit*>(edit.Widget()))
        multi->ensureCursorVisible();
    return TRUE;
}

// --- undo and the clipboard ----------------------------------------------------------

LRESULT OnCanUndo(EditAccess& edit, WPARAM, LPARAM) { return edit.State()->canUndo ? TRUE : FALSE; }
LRESULT OnUndo(EditAccess& edit, WPARAM, LPARAM) { return UndoOnce(edit); }

LRESULT OnEmptyUndoBuffer(EditAccess& edit, WPARAM, LPARAM)
{
    EditState* s = edit.State();
    s->canUndo = false;
    s->typingRun = false;
    s->undoText.clear();
    return 0;
}

LRESULT OnCopy(EditAccess& edit, WPARAM, LPARAM)
{
    CopySelection(edit);
    return 0;
}

LRESULT OnCut(EditAccess& edit, WPARAM, LPARAM)
{
    if (!edit.ReadOnly()) {
        CopySelection(edit);
        ClearSelection(edit);
    }
    return 0;
}

LRESULT OnClear(EditAccess& edit, WPARAM, LPARAM)
{
    ClearSelection(edit);
    return 0;
}

LRESULT OnPaste(EditAccess& edit, WPARAM, LPARAM)
{
    if (edit.ReadOnly())
        return 0;
    QString text = EditAccess::FromProgram(QGuiApplication::clipboard()->text());
    if (!edit.Multiline()) {
        // A single line takes the clipboard's first line.
        const qsizetype br = text.indexOf(QLatin1Char('\n'));
        if (br >= 0)
            text.truncate(br);
    }
    if (!text.isEmpty() && !InsertLimited(edit, text, true))
        ::MessageBeep(MB_OK);
    return 0;
}

// --- lines -----------------------------------------------------------------------------

int LineOfProgramPos(const EditAccess& edit, int pos)
{
    const QString text = edit.Text();
    return static_cast<int>(text.left(edit.FromProgramPos(pos)).count(QLatin1Char('\n')));
}

// The program position where line `line` starts; -1 past the last line.
int LineStart(const EditAccess& edit, int line)
{
    const QString text = edit.Text();
    int q = 0;
    for (int i = 0; i < line; ++i) {
        q = static_cast<int>(text.indexOf(QLatin1Char('\n'), q));
        if (q < 0)
            return -1;
        ++q;
    }
    return edit.ToProgramPos(q);
}

int LineLengthAt(const EditAccess& edit, int pos)
{
    const QString text = edit.Text();
    const int q = edit.FromProgramPos(pos);
    const int begin = static_cast<int>(text.lastIndexOf(QLatin1Char('\n'), q - 1)) + 1;
    int stop = static_cast<int>(text.indexOf(QLatin1Char('\n'), q));
    if (stop < 0)
        stop = static_cast<int>(text.size());
    return stop - begin;
}

LRESULT OnGetLineCount(EditAccess& edit, WPARAM, LPARAM) { return edit.LineCount(); }

LRESULT OnLineIndex(EditAccess& edit, WPARAM wParam, LPARAM)
{
    int line = IntOf(wParam);
    if (line < 0)
        line = LineOfProgramPos(edit, SelectionEdge(edit, false));
    return LineStart(edit, line);
}

LRESULT OnLineFromChar(EditAccess& edit, WPARAM wParam, LPARAM)
{
    const int pos = IntOf(wParam);
    return LineOfProgramPos(edit, pos < 0 ? SelectionEdge(edit, true) : pos);
}

LRESULT OnLineLength(EditAccess& edit, WPARAM wParam, LPARAM)
{
    const int pos = IntOf(wParam);
    return LineLengthAt(edit, pos < 0 ? SelectionEdge(edit, true) : pos);
}

// --- focus and the dialog ---------------------------------------------------------------

LRESULT OnSetFocus(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    const HWND hwnd = edit.Hwnd();
    ::DefWindowProc(hwnd, WM_SETFOCUS, wParam, lParam);
    NotifyParent(hwnd, EN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    edit.State()->typingRun = false;
    const HWND hwnd = edit.Hwnd();
    ::DefWindowProc(hwnd, WM_KILLFOCUS, wParam, lParam);
    NotifyParent(hwnd, EN_KILLFOCUS);
    return 0;
}

LRESULT OnGetDlgCode(EditAccess& edit, WPARAM, LPARAM lParam)
{
    UINT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (edit.Multiline() && (::GetWindowLong(edit.Hwnd(), GWL_STYLE) & ES_WANTRETURN) && msg &&
        msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTALLKEYS;
    return code;
}

const MessageHandler<EditAccess> kEditMessages[] = {
    {WM_SETTEXT, OnSetText},
    {WM_GETTEXT, OnGetText},
    {WM_GETTEXTLENGTH, OnGetTextLength},
    {WM_CHAR, OnChar},
    {EM_REPLACESEL, OnReplaceSel},
    {EM_LIMITTEXT, OnLimitText},
    {EM_GETLIMITTEXT, OnGetLimitText},
    {EM_SETREADONLY, OnSetReadOnly},
    {EM_GETMODIFY, OnGetModify},
    {EM_SETMODIFY, OnSetModify},
    {EM_GETSEL, OnGetSel},
    {EM_SETSEL, OnSetSel},
    {EM_SCROLLCARET, OnScrollCaret},
    {EM_CANUNDO, OnCanUndo},
    {EM_UNDO, OnUndo},
    {WM_UNDO, OnUndo},
    {EM_EMPTYUNDOBUFFER, OnEmptyUndoBuffer},
    {WM_COPY, OnCopy},
    {WM_CUT, OnCut},
    {WM_CLEAR, OnClear},
    {WM_PASTE, OnPaste},
    {EM_GETLINECOUNT, OnGetLineCount},
    {EM_LINEINDEX, OnLineIndex},
    {EM_LINEFROMCHAR, OnLineFromChar},
    {EM_LINELENGTH, OnLineLength},
    {WM_SETFOCUS, OnSetFocus},
    {WM_KILLFOCUS, OnKillFocus},
    {WM_GETDLGCODE, OnGetDlgCode},
};

}  // namespace

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Handle(kEditMessages, hwnd, message, wParam, lParam);
}

}  // namespace platform
