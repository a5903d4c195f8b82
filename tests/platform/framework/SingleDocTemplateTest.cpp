#include "TestClasses.h"

#include "platform/framework/CView.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/WinApi.h"

namespace {

using Lines = std::vector<std::string>;

BOOL CountWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int TopLevelWindows()
{
    int count = 0;
    ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

CView* FirstView(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pDoc->GetNextView(pos);
}

}  // namespace

TEST_F(FrameworkTest, FirstNewDocumentMakesDocumentFrameAndViewThenUpdatesAndActivatesTheView)
{
    CSingleDocTemplate* pTemplate = AddTemplate();
    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(Log(), (Lines{"doc constructed", "frame created", "doc new", "view initial update", "view update 0", "view activated"}));

    CFrameWnd* pFrame = MainFrame();
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->IsKindOf(RUNTIME_CLASS(CLogFrame)));
    EXPECT_FALSE(pFrame->IsWindowVisible()) << "the program shows its main window itself";
    CString title;
    pFrame->GetWindowText(title);
    EXPECT_EQ(title, CString(u"Ledger"));

    CView* pView = FirstView(pDoc);
    ASSERT_NE(pView, nullptr);
    EXPECT_TRUE(pView->IsKindOf(RUNTIME_CLASS(CLogView)));
    EXPECT_EQ(pView->GetDocument(), pDoc);
    EXPECT_EQ(pView->GetParentFrame(), pFrame);
    EXPECT_EQ(pFrame->GetActiveView(), pView);
    EXPECT_EQ(pFrame->GetActiveDocument(), pDoc);
    EXPECT_EQ(pDoc->GetDocTemplate(), pTemplate);
    POSITION pos = pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pTemplate->GetNextDoc(pos), pDoc);
}

TEST_F(FrameworkTest, FirstNewDocumentRefusedLeavesNoFrameNoDocumentAndNoMainWindow)
{
    CSingleDocTemplate* pTemplate = AddTemplate();
    CLogDoc::s_results = {FALSE};
    const int before = TopLevelWindows();

    EXPECT_EQ(pTemplate->OpenDocumentFile(nullptr), nullptr);

    EXPECT_EQ(Log(), (Lines{"doc constructed", "frame created", "doc new refused", "doc destroyed"}));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(TopLevelWindows(), before);
    EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(CLogDoc::s_alive, 0);
}

TEST_F(FrameworkTest, FrameThatFailsToCreateTakesTheNewDocumentWithIt)
{
    CSingleDocTemplate* pTemplate = AddTemplate();
    CLogFrame::s_failCreate = true;

    EXPECT_EQ(pTemplate->OpenDocumentFile(nullptr), nullptr);

    EXPECT_EQ(Log(), (Lines{"doc constructed", "frame created", "doc destroyed"}));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr);
}

TEST_F(FrameworkTest, LaterNewDocumentReusesTheOpenDocumentAlsoThroughTheFramesCommand)
{
    CSingleDocTemplate* pTemplate = AddTemplate();
    m_app.OnFileNew();
    CFrameWnd* pFrame = MainFrame();
    ASSERT_NE(pFrame, nullptr);
    CDocument* pDoc = pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    CView* pView = FirstView(pDoc);
    const Lines again{"doc new", "view initial update", "view update 0", "view activated"};
    Log().clear();

    EXPECT_EQ(pTemplate->OpenDocumentFile(nullptr), pDoc);
    EXPECT_EQ(Log(), again);
    EXPECT_EQ(MainFrame(), pFrame);
    EXPECT_EQ(FirstView(pDoc), pView);

    Log().clear();
    pFrame->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
    EXPECT_EQ(Log(), again);
    Log().clear();
    EXPECT_TRUE(pFrame->OnCmdMsg(ID_FILE_OPEN, CN_COMMAND, nullptr, nullptr)) << "open is routable";
    EXPECT_TRUE(Log().empty());

    // Updates reach every view but the sender.
    pDoc->UpdateAllViews(nullptr, 1);
    pDoc->UpdateAllViews(pView, 2);
    EXPECT_EQ(Log(), (Lines{"view update 1"}));
}

TEST_F(FrameworkTest, LaterNewDocumentRefusedLeavesDocumentAndViewsAsTheyWere)
{
    CSingleDocTemplate* pTemplate = AddTemplate();
    CLogDoc::s_results = {TRUE, FALSE};
    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pFrame = MainFrame();
    CView* pView = FirstView(pDoc);
    const HWND hView = pView->m_hWnd;
    Log().clear();

    EXPECT_EQ(pTemplate->OpenDocumentFile(nullptr), nullptr);

    EXPECT_EQ(Log(), (Lines{"doc new refused"}));
    EXPECT_EQ(MainFrame(), pFrame);
    EXPECT_TRUE(::IsWindow(pFrame->m_hWnd));
    EXPECT_TRUE(::IsWindow(hView));
    EXPECT_EQ(FirstView(pDoc), pView);
    EXPECT_EQ(pFrame->GetActiveView(), pView);
    POSITION pos = pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pTemplate->GetNextDoc(pos), pDoc);
}

TEST_F(FrameworkTest, CommandBarSitsAtTheBottomAndTheViewFillsTheRest)
{
    CLogFrame::s_withBar = true;
    CDocument* pDoc = AddTemplate()->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    CFrameWnd* pFrame = MainFrame();
    CRect client, bar, view;
    pFrame->GetClientRect(&client);
    pFrame->GetDlgItem(AFX_IDW_TOOLBAR)->GetWindowRect(&bar);
    FirstView(pDoc)->GetWindowRect(&view);
    pFrame->ScreenToClient(&bar);
    pFrame->ScreenToClient(&view);

    EXPECT_EQ(client.Width(), 240);
    EXPECT_EQ(bar, CRect(0, client.bottom - 26, 240, client.bottom))
        << bar.left << "," << bar.top << "," << bar.right << "," << bar.bottom << " client " << client.bottom;
    EXPECT_EQ(view, CRect(0, 0, 240, client.bottom - 26))
        << view.left << "," << view.top << "," << view.right << "," << view.bottom;
}

TEST_F(FrameworkTest, ClosingTheMainFrameClosesTheDocumentAndEndsTheApplicationsLoop)
{
    CDocument* pDoc = AddTemplate()->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    const HWND hFrame = MainFrame()->m_hWnd;
    Log().clear();

    ::PostMessage(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_app.Run(), 0);

    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_EQ(Log(), (Lines{"doc destroyed"}));
}
