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

// Whether every control of the template is of a registered window class; if
// not, says which on stderr. A template that names an unknown class is a
// fault of the program: its dialog is not made.
bool TemplateClassesRegistered(const DialogTemplate& dialog);

// The dialog window (class "#32770") for `object`, its font and its controls, in
// template order (which is the tab order). WM_INITDIALOG is the caller's to send.
// Null when a window cannot be made (and none is made when a control's class
// is unknown).
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, CWnd* object, const DialogPlacement& placement);

// Adds the template's initial combo and list box entries (CB_ADDSTRING /
// LB_ADDSTRING) to the dialog's controls. FALSE when there is no such template.
BOOL ApplyDialogInit(HWND hDlg, UINT templateId);
BOOL ApplyDialogInit(HWND hDlg, const DialogTemplate& dialog);

}  // namespace platform
