#include "platform/ui/controls/edit/EditChanges.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/WinApi.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

#include <algorithm>

namespace platform {
namespace {

void RememberForUndo(EditAccess& edit)
{
    EditState* s = edit.State();
    s->undoText = edit.Text();
    edit.Selection(s->undoStart, s->undoEnd);
    s->canUndo = true;
}

}  // namespace

int ProgramLength(const EditAccess& edit) { return edit.ToProgramPos(static_cast<int>(edit.Text().size())); }

int SelectedProgramLength(const EditAccess& edit)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    return edit.ToProgramPos(end) - edit.ToProgramPos(start);
}

int SelectionEdge(const EditAccess& edit, bool start)
{
    int from = 0;
    int to = 0;
    edit.Selection(from, to);
    return edit.ToProgramPos(start ? from : to);
}

void Commit(EditAccess& edit, bool notify)
{
    EditState* s = edit.State();
    s->lastText = edit.Text();
    edit.Selection(s->lastStart, s->lastEnd);
    s->pendingCaret = -1;
    const HWND hwnd = edit.Hwnd();
    if (Window* w = LookupWindow(hwnd))
        w->text = CString(reinterpret_cast<LPCWSTR>(EditAccess::ToProgram(s->lastText).utf16()));
    if (notify) {
        NotifyParent(hwnd, EN_UPDATE);
        if (::IsWindow(hwnd))
            NotifyParent(hwnd, EN_CHANGE);
    }
}

bool InsertLimited(EditAccess& edit, QString text, bool undoable)
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
    const HWND hwnd = edit.Hwnd();
    Commit(edit, true);
    if (!fits && ::IsWindow(hwnd))
        NotifyParent(hwnd, EN_MAXTEXT);
    return fits;
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

BOOL UndoOnce(EditAccess& edit)
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
    Commit(edit, true);
    return TRUE;
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

void ClearSelection(EditAccess& edit)
{
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    if (start == end || edit.ReadOnly())
        return;
    InsertLimited(edit, QString(), true);
}

bool CharacterFits(const EditAccess& edit, DWORD style, UINT ch)
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
        NotifyParent(edit.Hwnd(), EN_MAXTEXT);
        return false;
    }
    return true;
}

}  // namespace platform
