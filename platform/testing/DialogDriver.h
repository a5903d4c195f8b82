#pragma once
// What a scripted user does to a dialog or message box that is on screen:
// the same Qt input events a person's taps and keys would cause (keys as a
// keyboard sends them to the focused widget, shortcuts first), so they go
// through the whole message path (PreTranslateMessage, WM_KEYDOWN / WM_CHAR,
// the control's own handling).

#include "platform/core/CString.h"
#include "platform/ui/WinUser.h"

namespace platform::testing {

class DialogDriver {
public:
    explicit DialogDriver(HWND hDlg) : m_hDlg(hDlg) {}

    HWND Hwnd() const { return m_hDlg; }
    bool IsOpen() const;
    CString Caption() const;
    UINT TemplateId() const;        // 0 for a message box or a dialog made in code
    bool IsMessageBox() const;
    CString MessageText() const;    // a message box's text
    // A control of the dialog, or of its page that shows (property sheets).
    HWND Item(int id) const;
    CString Text(int id) const;     // what the control shows (its window text)
    bool IsEnabled(int id) const;
    bool IsVisible(int id) const;

    void Tap(int id) const;         // press and release at the control's centre
    void Focus(int id) const;       // a tap on the control would also do this; a plain SetFocus
    void Type(const CString& text) const;              // key by key into the focused control
    void TypeInto(int id, const CString& text) const;
    void PressKey(UINT vk) const;   // VK_RETURN, VK_ESCAPE, VK_TAB, VK_BACK, arrows...
    // Opens a combo box's list with a tap and taps the entry with this text
    // (compared without regard to case); false when there is no such entry
    // or it could not be picked.
    bool Pick(int id, const CString& entry) const;
    void TapOk() const;             // the caption strip's "ok"
    void CloseWindow() const;       // the desktop window's close button
    void End(int result) const;     // EndDialog

    // Taps a message box's button (IDOK, IDCANCEL, IDYES...).
    void Answer(int id) const { Tap(id); }

private:
    HWND m_hDlg;
};

// Input events for any window, outside dialogs too.
void TapWindow(HWND hwnd);
void TypeText(HWND hwnd, const CString& text);   // into hwnd's focused widget, or hwnd
void PressKey(HWND hwnd, UINT vk);
bool PickEntry(HWND combo, const CString& entry);

}  // namespace platform::testing
