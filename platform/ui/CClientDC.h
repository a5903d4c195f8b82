#pragma once
// A device context for a window's client area outside WM_PAINT: it measures,
// and draws only while the window is being painted.

#include "platform/gdi/CDC.h"
#include "platform/ui/WinUser.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
