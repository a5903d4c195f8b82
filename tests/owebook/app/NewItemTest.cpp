// The new-document command on a running program asks for a new item: the
// document runs the editor itself while the view has not been activated since
// its initial update, else it has the view do it (update hint 1).

#include "AppTestEnv.h"

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

struct NewItemCase {
    const char* name;
    BOOL freshlyFilled;
    int editorResult;
    Lines expected;
    int itemsAdded;
};

void PrintTo(const NewItemCase& c, std::ostream* os) { *os << c.name; }

class NewItemTest : public AppTest, public ::testing::WithParamInterface<NewItemCase> {};

TEST_P(NewItemTest, NewDocumentCommandCreatesAnItemAndKeepsTheDocumentOpen)
{
    const NewItemCase& c = GetParam();
    CMainFrame* frame = StartWithProbeView();
    ASSERT_NE(frame, nullptr);
    COwebookDoc* doc = Document();
    auto* view = MainView<CProbeMainView>();
    ASSERT_NE(doc, nullptr);
    ASSERT_NE(view, nullptr);
    const int itemsBefore = ItemCount(*doc);
    ProbeLog::Lines().clear();
    ProbeLog::EditorResult() = c.editorResult;
    view->m_bFreshlyFilled = c.freshlyFilled;

    frame->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);

    EXPECT_EQ(ProbeLog::Lines(), c.expected);
    EXPECT_EQ(Frame(), frame) << "the main window stays";
    EXPECT_EQ(Document(), doc) << "the document stays open";
    EXPECT_EQ(MainView<CProbeMainView>(), view);
    EXPECT_EQ(ItemCount(*doc), itemsBefore + c.itemsAdded);
    const std::vector<CString>& names = doc->GetNames();
    EXPECT_EQ(std::find(names.begin(), names.end(), CString(u"Probe")) != names.end(), c.itemsAdded > 0)
        << "the item keeps what the editor entered";
    EXPECT_TRUE(view->m_bAutoRefresh);
}

INSTANTIATE_TEST_SUITE_P(
    App, NewItemTest,
    ::testing::Values(
        NewItemCase{"fresh_view_document_runs_editor_ok", TRUE, EDITOR_OK, {"editor new"}, 1},
        NewItemCase{"fresh_view_document_runs_editor_cancelled", TRUE, EDITOR_CANCELLED, {"editor new"}, 0},
        NewItemCase{"activated_view_gets_hint_ok", FALSE, EDITOR_OK, {"view NewItem", "editor new", "refill"}, 1},
        NewItemCase{"activated_view_gets_hint_cancelled", FALSE, EDITOR_CANCELLED, {"view NewItem", "editor new"}, 0},
        NewItemCase{"activated_view_gets_hint_delete_is_a_cancel", FALSE, EDITOR_DELETE,
                    {"view NewItem", "editor new"}, 0}),
    [](const ::testing::TestParamInfo<NewItemCase>& info) { return std::string(info.param.name); });

// The real editor, cancelled: nothing is stored, whichever way it was asked for.
TEST_F(AppTest, CancelledEditorAddsNoItem)
{
    ASSERT_TRUE(StartClosingHome());
    CMainView* view = MainView();
    ASSERT_NE(view, nullptr);
    const int before = ItemCount(*Document());
    platform::testing::ScriptedUser user;
    for (BOOL fresh : {TRUE, FALSE}) {
        SCOPED_TRACE(fresh);
        user.ExpectDialogCaption(u"Details").Tap(IDCANCEL);
        view->m_bFreshlyFilled = fresh;
        Frame()->SendMessage(WM_COMMAND, ID_FILE_NEW, 0);
        user.Verify();
    }
    EXPECT_EQ(ItemCount(*Document()), before);
    CItemRecord item;
    item.SetDefaults();
    BOOL edited = TRUE;
    user.ExpectDialogCaption(u"Details").PressKey(VK_ESCAPE);
    EXPECT_EQ(view->RunItemEditor(item, TRUE, edited), EDITOR_CANCELLED);
    EXPECT_FALSE(edited);
    user.ExpectDialogCaption(u"Details").Tap(IDCANCEL);
    EXPECT_EQ(view->NewItem(), EDITOR_CANCELLED);
    user.Verify();
    EXPECT_EQ(ItemCount(*Document()), before);
}

}  // namespace
