#pragma once
// The soft input panel (the on-screen keyboard). A desktop has a real
// keyboard, so the panel is only a state: shown or hidden, which the command
// bar shows as its keyboard indicator. Fields that want typing show it when
// they gain the focus and hide it when they lose it.

#include "platform/core/Types.h"

#include <functional>

constexpr DWORD SIPF_OFF = 0x00000000;
constexpr DWORD SIPF_ON = 0x00000001;

// SIPF_ON shows the panel, SIPF_OFF hides it; other flags are refused.
BOOL SipShowIM(DWORD dwFlag);

namespace platform {

bool IsInputPanelShown();
// Called with the new state whenever it changes; the id removes it again.
int AddInputPanelListener(std::function<void(bool shown)> listener);
void RemoveInputPanelListener(int id);

}  // namespace platform
