#pragma once
// The device context of a WM_PAINT handler: draws on the window being painted.

#include "platform/gdi/CDC.h"
#include "platform/ui/WinUser.h"

class CWnd;

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
// Outside WM_PAINT the context measures text but draws nothing.
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
