#include "platform/ui/controls/edit/CEdit.h"

#include "platform/ui/ControlText.h"
#include "platform/ui/controls/edit/EditWidget.h"
#include "platform/ui/WinApi.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

using platform::EditAccess;
using platform::EditState;

using platform::FromWide;

namespace {


// Where the edit's text now is becomes what the next change undoes to, and
// the parent hears of the change.
void Commit(HWND hwnd, EditAccess& edit, bool notify)
{
    EditState* s = edit.State();
    s->lastText = edit.Text();
    edit.Selection(s->lastStart, s->lastEnd);
    s->pendingCaret = -1;
    if (platform::Window* w = platform::LookupWindow(hwnd))
        w->text = CString(reinterpret_cast<LPCWSTR>(EditAccess::ToProgram(s->lastText).utf16()));
    if (notify) {
        platform::NotifyParent(hwnd, EN_UPDATE);
        if (::IsWindow(hwnd))
            platform::NotifyParent(hwnd, EN_CHANGE);
    }
}

void RememberForUndo(EditAccess& edit)
{
    EditState* s = edit.State();
    s->undoText = edit.Text();
    edit.Selection(s->undoStart, s->undoEnd);
    s->canUndo = true;
}

int ProgramLength(const EditAccess& edit) { return edit.ToProgramPos(static_cast<int>(edit.Text().size())); }

int SelectedProgramLength(const EditAccess& edit)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    return edit.ToProgramPos(end) - edit.ToProgramPos(start);
}

// Replaces the selection with as much of `text` as the limit leaves room for;
// false when some of it did not fit.
bool InsertLimited(HWND hwnd, EditAccess& edit, QString text, bool undoable)
{
    EditState* s = edit.State();
    s->typingRun = false;
    const int room = std::max(0, s->limit - (ProgramLength(edit) - SelectedProgramLength(edit)));
    bool fits = true;
    if (EditAccess::ToProgram(text).size() > room) {
        fits = false;
        while (!text.isEmpty() && EditAccess::ToProgram(text).size() > room)
            text.chop(1);
    }
    if (undoable)
        RememberForUndo(edit);
    else
        s->canUndo = false;
    ++s->internal;
    edit.Insert(text);
    --s->internal;
    s->modified = true;
    Commit(hwnd, edit, true);
    if (!fits && ::IsWindow(hwnd))
        platform::NotifyParent(hwnd, EN_MAXTEXT);
    return fits;
}

void CopySelection(const EditAccess& edit)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    if (start == end)
        return;
    if (auto* line = qobject_cast<QLineEdit*>(edit.Widget()); line && line->echoMode() != QLineEdit::Normal)
        return;   // a password never leaves the control
    QGuiApplication::clipboard()->setText(EditAccess::ToProgram(edit.Text().mid(start, end - start)));
}

void ClearSelection(HWND hwnd, EditAccess& edit)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    if (start == end || edit.ReadOnly())
        return;
    InsertLimited(hwnd, edit, QString(), true);
}

LRESULT ReadSelection(const EditAccess& edit, WPARAM wParam, LPARAM lParam)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    start = edit.ToProgramPos(start);
    end = edit.ToProgramPos(end);
    if (auto* p = reinterpret_cast<DWORD*>(wParam))
        *p = static_cast<DWORD>(start);
    if (auto* p = reinterpret_cast<DWORD*>(lParam))
        *p = static_cast<DWORD>(end);
    return MAKELONG(std::min(start, 0xFFFF), std::min(end, 0xFFFF));
}

void MoveSelection(EditAccess& edit, int start, int end)
{
    EditState* s = edit.State();
    s->typingRun = false;
    const int length = ProgramLength(edit);
    ++s->internal;
    if (start == -1) {
        // Deselects; the caret stays where it is.
        const int caret = edit.Caret();
        edit.Select(caret, caret);
    } else {
        if (start < 0 || start > length)
            start = length;
        if (end < 0 || end > length)
            end = length;
        edit.Select(edit.FromProgramPos(start), edit.FromProgramPos(end));
    }
    --s->internal;
    edit.Selection(s->lastStart, s->lastEnd);
}

LRESULT UndoOnce(HWND hwnd, EditAccess& edit)
{
    EditState* s = edit.State();
    if (!s->canUndo)
        return FALSE;
    // The undo level swaps with the present, so a second undo redoes.
    const QString text = s->undoText;
    const int start = s->undoStart;
    const int end = s->undoEnd;
    RememberForUndo(edit);
    s->typingRun = false;
    ++s->internal;
    edit.SetText(text);
    edit.Select(std::min<int>(start, text.size()), std::min<int>(end, text.size()));
    --s->internal;
    s->modified = true;
    Commit(hwnd, edit, true);
    return TRUE;
}

bool CharacterFits(HWND hwnd, const EditAccess& edit, DWORD style, UINT ch)
{
    const bool lineBreak = ch == u'\r' && edit.Multiline();
    if (ch < 0x20 && !lineBreak)
        return true;   // editing keys (Backspace) and shortcuts
    if ((style & ES_NUMBER) && !(ch >= u'0' && ch <= u'9')) {
        ::MessageBeep(MB_OK);
        return false;
    }
    const int added = lineBreak ? 2 : 1;
    if (ProgramLength(edit) - SelectedProgramLength(edit) + added > edit.State()->limit) {
        ::MessageBeep(MB_OK);
        platform::NotifyParent(hwnd, EN_MAXTEXT);
        return false;
    }
    return true;
}

// Where the selection starts or ends, as the program counts positions.
int SelectionEdge(const EditAccess& edit, bool start)
{
    int from = 0;
    int to = 0;
    edit.Selection(from, to);
    return edit.ToProgramPos(start ? from : to);
}

int LineOfProgramPos(const EditAccess& edit, int pos)
{
    const QString text = edit.Text();
    const int q = edit.FromProgramPos(pos);
    return static_cast<int>(text.left(q).count(QLatin1Char('\n')));
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

}  // namespace

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_EDIT, u"", dwStyle, rect, pParentWnd, nID);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    EditAccess edit(m_hWnd);
    if (!edit.Valid() || !edit.State())
        return CWnd::DefWindowProc(message, wParam, lParam);
    EditState* s = edit.State();
    const HWND self = m_hWnd;
    switch (message) {
    case WM_SETTEXT: {
        s->typingRun = false;
        s->canUndo = false;
        ++s->internal;
        edit.SetText(EditAccess::FromProgram(FromWide(reinterpret_cast<LPCWSTR>(lParam))));
        edit.Select(0, 0);
        --s->internal;
        s->modified = false;
        Commit(self, edit, true);
        return TRUE;
    }
    case WM_GETTEXTLENGTH:
        return ProgramLength(edit);
    case WM_GETTEXT: {
        return platform::CopyText(EditAccess::ToProgram(edit.Text()), reinterpret_cast<LPWSTR>(lParam),
                                  static_cast<int>(wParam));
    }
    case WM_CHAR:
        if (!edit.ReadOnly() && !CharacterFits(self, edit, GetStyle(), static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_SETFOCUS:
        CWnd::DefWindowProc(message, wParam, lParam);
        platform::NotifyParent(self, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->typingRun = false;
        CWnd::DefWindowProc(message, wParam, lParam);
        platform::NotifyParent(self, EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: {
        UINT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        if (edit.Multiline() && (GetStyle() & ES_WANTRETURN) && msg && msg->message == WM_KEYDOWN &&
            msg->wParam == VK_RETURN)
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case EM_GETSEL:
        return ReadSelection(edit, wParam, lParam);
    case EM_SETSEL:
        MoveSelection(edit, static_cast<int>(static_cast<std::intptr_t>(wParam)), static_cast<int>(lParam));
        return 0;
    case EM_REPLACESEL:
        InsertLimited(self, edit, EditAccess::FromProgram(FromWide(reinterpret_cast<LPCWSTR>(lParam))), wParam != 0);
        return 0;
    case EM_LIMITTEXT:
        s->limit = (wParam == 0 || wParam > 0x7FFFFFFE) ? 0x7FFFFFFE : static_cast<int>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return s->limit;
    case EM_CANUNDO:
        return s->canUndo ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO:
        return UndoOnce(self, edit);
    case EM_EMPTYUNDOBUFFER:
        s->canUndo = false;
        s->typingRun = false;
        s->undoText.clear();
        return 0;
    case EM_GETMODIFY:
        return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s->modified = wParam != 0;
        return 0;
    case EM_SETREADONLY:
        edit.SetReadOnly(wParam != 0);
        ModifyStyle(wParam ? 0 : ES_READONLY, wParam ? ES_READONLY : 0);
        return TRUE;
    case EM_GETLINECOUNT:
        return edit.LineCount();
    case EM_LINEINDEX: {
        int line = static_cast<int>(static_cast<std::intptr_t>(wParam));
        if (line < 0)
            line = LineOfProgramPos(edit, SelectionEdge(edit, false));
        return LineStart(edit, line);
    }
    case EM_LINEFROMCHAR: {
        int pos = static_cast<int>(static_cast<std::intptr_t>(wParam));
        return LineOfProgramPos(edit, pos < 0 ? SelectionEdge(edit, true) : pos);
    }
    case EM_LINELENGTH: {
        int pos = static_cast<int>(static_cast<std::intptr_t>(wParam));
        return LineLengthAt(edit, pos < 0 ? SelectionEdge(edit, true) : pos);
    }
    case EM_SCROLLCARET:
        if (auto* multi = qobject_cast<QPlainTextEdit*>(edit.Widget()))
            multi->ensureCursorVisible();
        return TRUE;
    case WM_COPY:
        CopySelection(edit);
        return 0;
    case WM_CUT:
        if (!edit.ReadOnly()) {
            CopySelection(edit);
            ClearSelection(self, edit);
        }
        return 0;
    case WM_CLEAR:
        ClearSelection(self, edit);
        return 0;
    case WM_PASTE: {
        if (edit.ReadOnly())
            return 0;
        QString text = EditAccess::FromProgram(QGuiApplication::clipboard()->text());
        if (!edit.Multiline()) {
            // A single line takes the clipboard's first line.
            const qsizetype br = text.indexOf(QLatin1Char('\n'));
            if (br >= 0)
                text.truncate(br);
        }
        if (text.isEmpty())
            return 0;
        if (!InsertLimited(self, edit, text, true))
            ::MessageBeep(MB_OK);
        return 0;
    }
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// --- members -----------------------------------------------------------------------

BOOL CEdit::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }
BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }
void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, bModified); }
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<SHORT>(LOWORD(dwSelection)), static_cast<SHORT>(HIWORD(dwSelection)), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<std::intptr_t>(nStartChar)), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(LPCWSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText ? lpszNewText : u""));
}

void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(std::max(0, nChars))); }
void CEdit::SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(static_cast<std::intptr_t>(nLine))));
}
int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(static_cast<std::intptr_t>(nLine))));
}
void CEdit::Clear() { SendMessage(WM_CLEAR); }
void CEdit::Copy() { SendMessage(WM_COPY); }
void CEdit::Cut() { SendMessage(WM_CUT); }
void CEdit::Paste() { SendMessage(WM_PASTE); }
