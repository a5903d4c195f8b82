#pragma once
// How an edit changes its text (platform internal): every change goes
// through here, so the one undo level, the text limit and the notifications
// see them all.

#include "platform/ui/controls/edit/EditWidget.h"

namespace platform {

int ProgramLength(const EditAccess& edit);
int SelectedProgramLength(const EditAccess& edit);
// Where the selection starts or ends, as the program counts positions.
int SelectionEdge(const EditAccess& edit, bool start);

// The text now is what the next change undoes to; `notify` tells the parent.
void Commit(EditAccess& edit, bool notify);
// Replaces the selection with as much of `text` as the limit leaves room
// for; false when some of it did not fit.
bool InsertLimited(EditAccess& edit, QString text, bool undoable);
// Sets the selection in the program's positions (-1 start: deselect).
void MoveSelection(EditAccess& edit, int start, int end);
// Swaps the text with the undo level; FALSE when there is nothing to undo.
BOOL UndoOnce(EditAccess& edit);
void CopySelection(const EditAccess& edit);
void ClearSelection(EditAccess& edit);
// Whether a typed character may go in: digits only with ES_NUMBER, and
// within the limit (a beep and EN_MAXTEXT otherwise).
bool CharacterFits(const EditAccess& edit, DWORD style, UINT ch);

}  // namespace platform
