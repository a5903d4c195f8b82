#pragma once
// The shape of a window procedure here: a thin dispatcher over a table of
// small functions, one per message, each taking the control's own view of
// its window.
//
//   const MessageHandler<EditControl> kEditMessages[] = {
//       {WM_CHAR, OnChar},
//       {EM_UNDO, OnUndo},
//   };
//   LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
//   {
//       return Handle(kEditMessages, hwnd, message, wParam, lParam);
//   }

#include "platform/ui/WinUser.h"

#include <cstddef>

LRESULT DefWindowProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

namespace platform {

template <class Control>
struct MessageHandler {
    UINT message;
    LRESULT (*handle)(Control& control, WPARAM wParam, LPARAM lParam);
};

// The table's function for the message, given the control's view of the
// window (a control whose widget is gone acts as a plain window); otherwise
// the default window behaviour.
template <class Control, std::size_t N>
LRESULT Handle(const MessageHandler<Control> (&table)[N], HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    for (const MessageHandler<Control>& entry : table) {
        if (entry.message != message)
            continue;
        Control control(hwnd);
        if (control.Valid())
            return entry.handle(control, wParam, lParam);
        break;
    }
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace platform
