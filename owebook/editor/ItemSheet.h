#pragma once
// The item editor: the property sheet "Details" with the General page and the
// Dates and Alarms page, working on the caller's copy of an item record.

#include "owebook/data/ItemRecord.h"
#include "platform/ui/WinUser.h"

class COwebookDoc;
class CWnd;

// Runs the editor modally; ITEM_SHEET_OK (the record holds the edited values),
// ITEM_SHEET_DELETE (the user confirmed "Delete Item?") or anything else for
// cancelled. bCategoriesEdited: whether the categories editor, run from the
// General page, changed the categories.
int RunItemSheet(CWnd* pParent, CItemRecord& item, COwebookDoc& doc, BOOL bNewItem, BOOL& bCategoriesEdited);
