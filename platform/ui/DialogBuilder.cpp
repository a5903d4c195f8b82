#include "platform/ui/DialogBuilder.h"

#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/ResourceRegistry.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowClassRegistry.h"
#include "platform/ui/WindowManager.h"

#include <cstdio>

namespace platform {

bool TemplateClassesRegistered(const DialogTemplate& dialog)
{
    for (const DialogItemTemplate& item : dialog.items) {
        if (!FindWindowClass(item.className)) {
            std::fprintf(stderr, "dialog %u: control %d is of window class \"%s\", which no one registered\n",
                         dialog.id, item.id, item.className.ToUtf8().c_str());
            return false;
        }
    }
    return true;
}

HWND CreateDialogFromTemplate(const DialogTemplate& dialog, CWnd* object, const DialogPlacement& placement)
{
    if (!TemplateClassesRegistered(dialog))
        return nullptr;
    const DialogBaseUnits units = BaseUnitsForFont(dialog.fontName, dialog.pointSize);
    const bool child = (dialog.style & WS_CHILD) != 0;
    if (child && !::IsWindow(placement.parent))
        return nullptr;

    RECT rect = ItemToPixels(dialog.x, dialog.y, dialog.cx, dialog.cy, units);
    DWORD exStyle = dialog.exStyle;
    if (!child) {
        if (placement.fullScreen) {
            rect = WorkArea();
        } else {
            const CRect work = WorkArea();
            const int cx = rect.right - rect.left, cy = rect.bottom - rect.top;
            rect.left = work.left + (work.Width() - cx) / 2;
            rect.top = work.top + (work.Height() - cy) / 2;
            rect.right = rect.left + cx;
            rect.bottom = rect.top + cy;
        }
        if (placement.captionOk)
            exStyle |= WS_EX_CAPTIONOKBTN;
    }

    CREATESTRUCT cs{nullptr, nullptr, nullptr, placement.parent,
                    static_cast<int>(rect.bottom - rect.top), static_cast<int>(rect.right - rect.left),
                    static_cast<int>(rect.top), static_cast<int>(rect.left),
                    static_cast<LONG>(dialog.style & ~WS_VISIBLE), dialog.caption.GetString(), WC_DIALOG, exStyle};
    HWND hDlg = CreateWindowFor(cs, object);
    if (!hDlg)
        return nullptr;

    LOGFONT lf = MakeLogFont(QString::fromUtf16(dialog.fontName.GetString(), dialog.fontName.GetLength()),
                             PointsToLogHeight(dialog.pointSize > 0 ? dialog.pointSize : 9));
    HFONT font = ::CreateFontIndirect(&lf);
    if (Window* w = LookupWindow(hDlg)) {
        w->baseUnits = SIZE{units.cx, units.cy};
        w->ownedFont = font;
    } else {
        ::DeleteObject(font);
        return nullptr;
    }
    ::SendMessage(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    for (const DialogItemTemplate& item : dialog.items) {
        const RECT r = ItemToPixels(item.x, item.y, item.cx, item.cy, units);
        const CString text = item.text.WindowText();
        CREATESTRUCT ics{nullptr, nullptr, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(static_cast<WORD>(item.id))),
                         hDlg, static_cast<int>(r.bottom - r.top), static_cast<int>(r.right - r.left),
                         static_cast<int>(r.top), static_cast<int>(r.left), static_cast<LONG>(item.style | WS_CHILD),
                         text.GetString(), item.className.GetString(), item.exStyle};
        HWND control = CreateWindowFor(ics, nullptr);
        if (!control) {
            ::DestroyWindow(hDlg);
            return nullptr;
        }
        ::SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (!::IsWindow(hDlg))
        return nullptr;
    return hDlg;
}

BOOL ApplyDialogInit(HWND hDlg, const DialogTemplate& dialog)
{
    if (!::IsWindow(hDlg))
        return FALSE;
    for (const DialogItemTemplate& item : dialog.items) {
        if (item.initStrings.empty())
            continue;
        HWND control = ::GetDlgItem(hDlg, static_cast<WORD>(item.id));
        const UINT message = item.className.CompareNoCase(WC_LISTBOX) == 0 ? LB_ADDSTRING : CB_ADDSTRING;
        for (const CString& s : item.initStrings)
            ::SendMessage(control, message, 0, reinterpret_cast<LPARAM>(s.GetString()));
    }
    return TRUE;
}

BOOL ApplyDialogInit(HWND hDlg, UINT templateId)
{
    const DialogTemplate* dialog = FindDialogTemplate(templateId);
    return dialog ? ApplyDialogInit(hDlg, *dialog) : FALSE;
}

}  // namespace platform
