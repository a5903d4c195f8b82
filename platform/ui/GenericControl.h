#pragma once
// The behaviour of a placeholder control (a class nobody registered): a
// button reports BN_CLICKED when tapped or given Space, a notifying static
// STN_CLICKED, and check boxes keep their state. Enough for a template to load
// and be driven before its real control class exists.

#include "platform/ui/CWnd.h"

namespace platform {

class GenericControl : public CWnd {
protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Click();
};

}  // namespace platform
