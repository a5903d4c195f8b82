#pragma once
// Checks of a dialog as laid out on the 240 x 320 screen: every control lies
// inside the dialog above its menu bar, and every label's text fits on its
// one line, measured in the font the label draws with.

#include "platform/gdi/CDC.h"
#include "platform/testing/Screenshot.h"
#include "platform/ui/CClientDC.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline void ExpectLaidOutOnScreen(HWND hDlg)
{
    RECT client{};
    ::GetClientRect(hDlg, &client);
    ::MapWindowPoints(hDlg, nullptr, reinterpret_cast<POINT*>(&client), 2);
    LONG bottom = client.bottom;
    if (HWND bar = ::GetDlgItem(hDlg, AFX_IDW_TOOLBAR)) {
        RECT barRect{};
        ::GetWindowRect(bar, &barRect);
        bottom = std::min(bottom, barRect.top);
    }
    for (HWND child = ::GetWindow(hDlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == static_cast<int>(AFX_IDW_TOOLBAR))
            continue;
        WCHAR text[256] = {};
        ::GetWindowText(child, text, 256);
        const std::string name = CString(text).ToUtf8();
        RECT r{};
        ::GetWindowRect(child, &r);
        EXPECT_GE(r.left, client.left) << name;
        EXPECT_GE(r.top, client.top) << name;
        EXPECT_LE(r.bottom, bottom) << name;

        WCHAR className[32] = {};
        ::GetClassName(child, className, 32);
        const LONG style = ::GetWindowLong(child, GWL_STYLE);
        const bool label = CString(className).CompareNoCase(WC_STATIC) == 0 && (style & SS_TYPEMASK) != SS_BITMAP;
        if (!label) {
            EXPECT_LE(r.right, std::min<LONG>(client.right, 240)) << name;
            continue;
        }
        // A label's box may run past the edge, as on the handheld; its text may not.
        CWnd* control = CWnd::FromHandle(child);
        CClientDC dc(control);
        dc.SelectObject(reinterpret_cast<HGDIOBJ>(control->SendMessage(WM_GETFONT)));
        const CSize extent = dc.GetTextExtent(CString(text));
        if (r.bottom - r.top < 2 * extent.cy) {
            EXPECT_LE(extent.cx, r.right - r.left) << name << ": wrapped onto a line that does not show";
            EXPECT_LE(r.left + extent.cx, std::min<LONG>(client.right, 240)) << name << ": runs off the screen";
        }
    }
}

// Saves the dialog as the desktop shows it at 2x into the build folder.
inline void SaveScreenshot(HWND hDlg, const std::string& name)
{
    const char* dir = std::getenv("OWEBOOK_TEST_BIN_DIR");
    EXPECT_TRUE(platform::testing::Screenshot(hDlg, 2).SavePng(std::string(dir ? dir : ".") + "/" + name + "@2x.png"));
}
