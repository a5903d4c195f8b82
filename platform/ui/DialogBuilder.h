#pragma once
// Makes a dialog's window and its controls from a template (platform internal;
// CDialog and the framework's form views use it).

#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"

class CWnd;

namespace platform {

struct DialogPlacement {
    HWND parent = nullptr;      // a child dialog's parent, a top-level dialog's owner
    bool fullScreen = true;     // top-level: fill the screen below the caption strip
    bool captionOk = true;      // top-level: "ok" in the caption strip
};

// The dialog window (class "#32770") for `object`, its font and its controls, in
// template order (which is the tab order). WM_INITDIALOG is the caller's to send.
// Null when a window cannot be made.
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, CWnd* object, const DialogPlacement& placement);

// Adds the template's initial combo and list box entries (CB_ADDSTRING /
// LB_ADDSTRING) to the dialog's controls. FALSE when there is no such template.
BOOL ApplyDialogInit(HWND hDlg, UINT templateId);
BOOL ApplyDialogInit(HWND hDlg, const DialogTemplate& dialog);

}  // namespace platform
