#pragma once
// Shared set-up of the window tests: every test starts and ends with no windows.

#include "platform/testing/UiTestSupport.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

class UiTest : public ::testing::Test {
protected:
    void SetUp() override { platform::testing::ResetUi(); }
    void TearDown() override { platform::testing::ResetUi(); }

    // A visible top-level window with the given object (or a plain one).
    static HWND MakeTopLevel(CWnd* object = nullptr, LPCWSTR title = u"Top")
    {
        if (object)
            return object->CreateEx(0, u"TestFrame", title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 240, 294,
                                    nullptr, nullptr)
                       ? object->m_hWnd
                       : nullptr;
        return ::CreateWindowEx(0, u"TestFrame", title, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 26, 240, 294,
                                nullptr, nullptr, nullptr, nullptr);
    }

    static HWND MakeChild(HWND parent, int id, CWnd* object = nullptr, LPCWSTR cls = u"TestChild",
                          DWORD style = WS_VISIBLE | WS_TABSTOP)
    {
        if (object)
            return object->CreateEx(0, cls, u"", WS_CHILD | style, 10, 10 + id, 50, 20, parent,
                                    reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)))
                       ? object->m_hWnd
                       : nullptr;
        return ::CreateWindowEx(0, cls, u"", WS_CHILD | style, 10, 10 + id, 50, 20, parent,
                                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    }
};
