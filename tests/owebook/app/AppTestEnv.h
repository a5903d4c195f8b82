#pragma once
// The application shell in-process: a fresh device per test, the program's
// resources, an application object that counts its alarms, and a main view
// whose item editor answers what the test says.

#include "owebook/app/MainFrame.h"
#include "owebook/app/OwebookApp.h"
#include "owebook/data/LedgerTestEnv.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/views/MainView.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "owebook/res/Resource.h"
#include "platform/testing/ScriptedUser.h"
#include "platform/testing/UiTestSupport.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"

#include <string>
#include <unistd.h>
#include <vector>

// This process's top-level windows; EnumWindows also lists those of other
// Owebook processes, such as tests running alongside.
inline int OwnTopLevelWindows()
{
    int count = 0;
    ::EnumWindows(
        [](HWND hWnd, LPARAM counter) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hWnd, &pid);
            if (pid == static_cast<DWORD>(::getpid()))
                ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class CProbeApp : public COwebookApp {
public:
    BOOL HandleAlarm() override
    {
        ++m_nAlarms;
        return m_bAlarmShown;
    }
    int m_nAlarms = 0;
    BOOL m_bAlarmShown = FALSE;
};

// What the probe view's editor and new-item flow did, in order.
struct ProbeLog {
    static std::vector<std::string>& Lines()
    {
        static std::vector<std::string> lines;
        return lines;
    }
    static int& EditorResult()
    {
        static int result = EDITOR_CANCELLED;
        return result;
    }
};

class CProbeMainView : public CMainView {
    DECLARE_DYNCREATE(CProbeMainView)
public:
    int RunItemEditor(CItemRecord& item, BOOL bNewItem, BOOL& bCategoriesEdited) override
    {
        ProbeLog::Lines().push_back(bNewItem ? "editor new" : "editor existing");
        bCategoriesEdited = FALSE;
        item.SetName(u"Probe");
        return ProbeLog::EditorResult();
    }
    int NewItem() override
    {
        ProbeLog::Lines().push_back("view NewItem");
        return CMainView::NewItem();
    }
    int RefillList() override
    {
        ProbeLog::Lines().push_back("refill");
        return -1;
    }
    int ShowHomeScreen() override { return MODE_ALL_ITEMS; }

protected:
    CProbeMainView() = default;
};

class AppTest : public LedgerTest {
protected:
    AppTest()
    {
        platform::testing::ResetUi();
        ProbeLog::Lines().clear();
        ProbeLog::EditorResult() = EDITOR_CANCELLED;
        m_app.m_lpCmdLine = m_szCmdLine;
    }
    ~AppTest() override
    {
        platform::testing::ResetUi();
        platform::MessageLoop::ResetQuit();
        RegisterMainFrameResources();
    }

    void SetCommandLine(const char16_t* text)
    {
        std::char_traits<char16_t>::copy(m_szCmdLine, text, std::char_traits<char16_t>::length(text) + 1);
    }

    // A start as InitInstance makes it, but with the probe view in the template.
    CMainFrame* StartWithProbeView()
    {
        m_app.AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(COwebookDoc),
                                                    RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CProbeMainView)));
        m_app.OnFileNew();
        return Frame();
    }

    // A start as InitInstance makes it, the user closing the home screen by
    // its caption's "ok" (All Items).
    BOOL StartClosingHome()
    {
        platform::testing::ScriptedUser user;
        user.ExpectDialog(IDD_HOME).TapOk();
        const BOOL started = m_app.InitInstance();
        user.Verify();
        return started;
    }

    CMainFrame* Frame() const { return dynamic_cast<CMainFrame*>(m_app.m_pMainWnd); }

    COwebookDoc* Document() const
    {
        CMainFrame* frame = Frame();
        return frame ? dynamic_cast<COwebookDoc*>(frame->GetActiveDocument()) : nullptr;
    }

    template <class View = CMainView>
    View* MainView() const
    {
        CMainFrame* frame = Frame();
        return frame ? dynamic_cast<View*>(frame->GetActiveView()) : nullptr;
    }

    static int TopLevelWindows() { return OwnTopLevelWindows(); }

    static int ItemCount(COwebookDoc& doc)
    {
        int count = 0;
        CItemRecord item;
        for (CEOID oid = doc.ReadFirstItem(item); oid != 0; oid = doc.ReadNextItem(item))
            ++count;
        return count;
    }

    CProbeApp m_app;
    WCHAR m_szCmdLine[64] = {};
};
