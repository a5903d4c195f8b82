#pragma once
// Item editor tests: a started document with the default categories, the
// scripted user, beeps counted, and the pages reached from inside the sheet.

#include "owebook/data/CategoryIds.h"
#include "owebook/data/DocumentTestEnv.h"
#include "owebook/editor/EditorIds.h"
#include "owebook/editor/ItemSheet.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/system/InputPanel.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/combo/CComboBox.h"

using platform::testing::DialogDriver;
using platform::testing::ScriptedUser;

class EditorTest : public DocumentTest {
protected:
    void SetUp() override
    {
        doc = Start();
        platform::SetBeepHandler([this](UINT) { ++beeps; });
    }
    void TearDown() override
    {
        platform::SetBeepHandler({});
        SipShowIM(SIPF_OFF);
        platform::testing::ResetUi();
    }

    int Run(CItemRecord& item, BOOL bNew = FALSE)
    {
        edited = FALSE;
        return RunItemSheet(nullptr, item, *doc, bNew, edited);
    }

    LONG CategoryId(LPCWSTR name) { return doc->FindCategoryByName(name); }

    // The text of the selected entry of a drop-down list on the page showing.
    static CString Selected(DialogDriver& d, int id)
    {
        auto* combo = static_cast<CComboBox*>(CWnd::FromHandle(d.Item(id)));
        CString text;
        if (combo && combo->GetCurSel() >= 0)
            combo->GetLBText(combo->GetCurSel(), text);
        return text;
    }
    // A command as the menu bar sends it to the page that owns the bar.
    static void Command(DialogDriver& d, UINT id)
    {
        ::SendMessage(::GetParent(d.Item(IDC_PAGE_OK)), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }

    std::unique_ptr<CRecordingDoc> doc;
    BOOL edited = FALSE;
    int beeps = 0;
};

#include "platform/ui/controls/propsheet/PropSheetDefs.h"
#include "platform/ui/controls/propsheet/TabStripWidget.h"

// Taps the sheet's tab `index`; false when the page showing refused to go.
inline bool TurnTo(DialogDriver& d, int index)
{
    for (HWND child = ::GetWindow(d.Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        WCHAR cls[32]{};
        ::GetClassName(child, cls, 32);
        if (CString(cls) == CString(WC_TABCONTROL))
            return platform::PickTab(child, index);
    }
    return false;
}

// The page showing (its window).
inline HWND PageOf(DialogDriver& d) { return ::GetParent(d.Item(IDC_PAGE_OK)); }
