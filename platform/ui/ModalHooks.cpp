#include "platform/ui/ModalHooks.h"

namespace platform {
namespace {

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
    }
}

}  // namespace platform
