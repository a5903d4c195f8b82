#pragma once
// A top-level window that keeps the notifications its controls send
// (WM_COMMAND codes and WM_NOTIFY), for the control tests.

#include "UiTest.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/MessageBox.h"

#include <cstring>
#include <vector>

class CControlHost : public CWnd {
public:
    struct Note {
        int id;
        UINT code;
        bool operator==(const Note&) const = default;
    };
    std::vector<Note> notes;
    std::vector<NMITEMACTIVATE> listNotes;   // WM_NOTIFY from list views (NMLISTVIEW fields)

    std::vector<UINT> Codes(int id) const
    {
        std::vector<UINT> codes;
        for (const Note& n : notes)
            if (n.id == id)
                codes.push_back(n.code);
        return codes;
    }
    int Count(int id, UINT code) const
    {
        int count = 0;
        for (const Note& n : notes)
            count += (n.id == id && n.code == code) ? 1 : 0;
        return count;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam)
            notes.push_back({LOWORD(wParam), HIWORD(wParam)});
        return CWnd::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        notes.push_back({static_cast<int>(hdr->idFrom), hdr->code});
        NMITEMACTIVATE copy{};
        if (hdr->code == NM_CLICK)
            copy = *reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        else if (hdr->code == LVN_KEYDOWN)   // a smaller structure: its header only
            copy.hdr = *hdr;
        else
            std::memcpy(&copy, reinterpret_cast<const void*>(lParam), sizeof(NMLISTVIEW));
        listNotes.push_back(copy);
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

// Control tests: a host window and a way to make controls in it.
class ControlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(MakeTopLevel(&host), nullptr);
        platform::SetBeepHandler([this](UINT) { ++beeps; });
    }
    void TearDown() override
    {
        platform::SetBeepHandler({});
        UiTest::TearDown();
    }

    HWND Make(LPCWSTR cls, DWORD style, int id, LPCWSTR text = u"", int cx = 120, int cy = 24, int y = 10)
    {
        return ::CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, cx, cy, host.m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
    }

    static CString TextOf(HWND hwnd)
    {
        CString text;
        if (CWnd* wnd = CWnd::FromHandle(hwnd))
            wnd->GetWindowText(text);
        return text;
    }

    CControlHost host;
    int beeps = 0;
};
