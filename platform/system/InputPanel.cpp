#include "platform/system/InputPanel.h"

#include "platform/core/LastError.h"

#include <map>

namespace platform {
namespace {

struct PanelState {
    bool shown = false;
    int nextId = 1;
    std::map<int, std::function<void(bool)>> listeners;
};

PanelState& State()
{
    static PanelState state;
    return state;
}

}  // namespace

bool IsInputPanelShown() { return State().shown; }

int AddInputPanelListener(std::function<void(bool shown)> listener)
{
    PanelState& s = State();
    const int id = s.nextId++;
    s.listeners.emplace(id, std::move(listener));
    return id;
}

void RemoveInputPanelListener(int id) { State().listeners.erase(id); }

}  // namespace platform

BOOL SipShowIM(DWORD dwFlag)
{
    if (dwFlag != SIPF_ON && dwFlag != SIPF_OFF) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    platform::PanelState& s = platform::State();
    const bool shown = dwFlag == SIPF_ON;
    if (s.shown == shown)
        return TRUE;
    s.shown = shown;
    // A listener may remove itself (its bar going away) while we call it.
    const auto listeners = s.listeners;
    for (const auto& [id, listener] : listeners)
        if (s.listeners.count(id))
            listener(shown);
    return TRUE;
}
