#include "platform/ui/ModalHooks.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/WinApi.h"

#include <cstdlib>
#include <string>

namespace platform {
namespace {

// Test support only, for tests that run the real program without a screen a
// test could tap (offscreen): OWEBOOK_TEST_DISMISS_DIALOG=<template id> cancels
// each modal dialog made from that template as soon as it shows, as Escape
// would. Never set outside tests.
void DismissIfAsked(HWND hDlg)
{
    const char* value = std::getenv("OWEBOOK_TEST_DISMISS_DIALOG");
    if (!value || !*value)
        return;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(hDlg));
    if (!dialog || std::to_string(dialog->m_nIDTemplate) != value)
        return;
    ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
}

ModalHook& Hook()
{
    static ModalHook hook;
    return hook;
}

}  // namespace

void SetModalHook(ModalHook hook) { Hook() = std::move(hook); }

void NotifyModalShown(HWND hDlg)
{
    if (Hook()) {
        ModalHook hook = Hook();   // the listener may replace itself
        hook(hDlg);
        return;
    }
    DismissIfAsked(hDlg);
}

}  // namespace platform
