// Menus from registered resources: their pop-ups, ids and separators, entry
// state by command and by position, stale handles, and a tracked pop-up.

#include "MenuTestSupport.h"
#include "UiTest.h"

#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/MessageLoop.h"

#include <QTimer>

#include <vector>

namespace {

using namespace menutest;

constexpr UINT kNone = 0xFFFFFFFF;

class MenuTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterTestMenus();
    }
};

TEST_F(MenuTest, LoadedMenuHasThePopupsEntriesAndSeparatorsOfItsResource)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 3u);
    EXPECT_EQ(menu.GetMenuItemID(0), kNone) << "a pop-up has no command";

    struct Expect {
        int popup;
        std::vector<UINT> ids;   // 0 marks a separator
    };
    const Expect expected[] = {
        {0, {32910, 0, 32871, 32809, 32810, 32869}},
        {1, {32909, 0, 32923}},
        {2, {57670, 0, 57664}},
    };
    for (const Expect& e : expected) {
        CMenu* sub = menu.GetSubMenu(e.popup);
        ASSERT_NE(sub, nullptr) << e.popup;
        EXPECT_EQ(sub->m_hMenu, ::GetSubMenu(menu, e.popup));
        ASSERT_EQ(sub->GetMenuItemCount(), e.ids.size()) << e.popup;
        for (std::size_t i = 0; i < e.ids.size(); ++i) {
            EXPECT_EQ(sub->GetMenuItemID(static_cast<int>(i)), e.ids[i]) << e.popup << "/" << i;
            EXPECT_EQ((sub->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) != 0, e.ids[i] == 0);
        }
    }
    CString text;
    menu.GetMenuString(32923, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString(u"E&xit")) << "the mnemonic stays in the text";
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(text, CString(u"Tools"));
    EXPECT_EQ(menu.GetSubMenu(3), nullptr);
    EXPECT_EQ(menu.GetSubMenu(-1), nullptr);
}

TEST_F(MenuTest, UnregisteredMenuDoesNotLoad)
{
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4711));
    EXPECT_EQ(menu.m_hMenu, nullptr);
    EXPECT_EQ(::LoadMenu(nullptr, u"#9143x"), nullptr);
    HMENU byName = ::LoadMenu(nullptr, u"#9143");
    EXPECT_EQ(::GetMenuItemCount(byName), 3);
    ::DestroyMenu(byName);
}

TEST_F(MenuTest, EntryStateChangesByCommandInSubMenusAndByPosition)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    CMenu* view = menu.GetSubMenu(0);

    EXPECT_EQ(menu.EnableMenuItem(32809, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED) << "found in a sub-menu";
    EXPECT_EQ(view->GetMenuState(3, MF_BYPOSITION) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(32809, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED) << "the previous state";
    EXPECT_EQ(view->CheckMenuItem(2, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(menu.GetMenuState(32871, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(32871, MF_UNCHECKED), MF_CHECKED);

    EXPECT_EQ(menu.EnableMenuItem(1, MF_BYCOMMAND | MF_GRAYED), kNone) << "no such command";
    EXPECT_EQ(view->EnableMenuItem(40, MF_BYPOSITION | MF_GRAYED), kNone) << "no such position";
    EXPECT_EQ(menu.CheckMenuItem(0, MF_CHECKED), kNone) << "a separator is not a command";
}

TEST_F(MenuTest, DestroyedMenuAndItsSubMenusAreRefused)
{
    HMENU menu = ::LoadMenu(nullptr, MAKEINTRESOURCE(kMenu));
    HMENU view = ::GetSubMenu(menu, 0);
    ASSERT_TRUE(::IsMenu(view));
    ASSERT_TRUE(::DestroyMenu(menu));

    EXPECT_FALSE(::IsMenu(menu));
    EXPECT_FALSE(::IsMenu(view));
    EXPECT_EQ(::GetMenuItemCount(view), -1);
    EXPECT_EQ(::GetMenuItemID(view, 0), kNone);
    EXPECT_EQ(::EnableMenuItem(view, 32910, MF_GRAYED), kNone);
    EXPECT_EQ(CMenu::FromHandle(view), nullptr);
    EXPECT_FALSE(::DestroyMenu(menu));
    EXPECT_FALSE(::AppendMenu(view, MF_STRING, 1, u"x"));
}

TEST_F(MenuTest, ProgramObjectOwnsItsMenuButSubMenuObjectsBelongToTheMenu)
{
    HMENU handle = nullptr;
    HMENU sub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        handle = menu;
        sub = menu.GetSubMenu(1)->m_hMenu;
        EXPECT_EQ(CMenu::FromHandle(handle), &menu);
        EXPECT_EQ(CMenu::FromHandle(sub), menu.GetSubMenu(1)) << "one object per menu";
    }
    EXPECT_FALSE(::IsMenu(handle));
    EXPECT_FALSE(::IsMenu(sub));

    CMenu built;
    ASSERT_TRUE(built.CreatePopupMenu());
    EXPECT_TRUE(built.AppendMenu(MF_STRING, 10, u"First"));
    EXPECT_TRUE(built.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(built.InsertMenu(0, MF_BYPOSITION | MF_STRING, 11, u"Before"));
    EXPECT_EQ(built.GetMenuItemID(0), 11u);
    EXPECT_EQ(built.GetMenuItemID(1), 10u);
    EXPECT_EQ(built.GetMenuItemID(2), 0u);
    EXPECT_FALSE(built.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(built.m_hMenu), u"Self"))
        << "a menu cannot hold itself";
    EXPECT_TRUE(built.DeleteMenu(10, MF_BYCOMMAND));
    EXPECT_EQ(built.GetMenuItemCount(), 2u);
}

// Picks `entry` from the pop-up TrackPopupMenu opens, as soon as it is open.
void PickWhenOpen(const QString& entry, bool* picked, int tries = 100)
{
    QTimer::singleShot(0, [entry, picked, tries] {
        if (!OpenPopup()) {
            if (tries > 0)
                PickWhenOpen(entry, picked, tries - 1);   // not open yet
            return;
        }
        *picked = TapEntry(entry);
        if (!*picked)
            ClosePopups();
    });
}

class CMenuOwner : public CWnd {
public:
    std::vector<UINT> commands;
    std::vector<WPARAM> initPopups;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        if (message == WM_INITMENUPOPUP)
            initPopups.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(MenuTest, TrackedPopupReturnsOrPostsTheChosenCommand)
{
    CMenuOwner owner;
    ASSERT_TRUE(MakeTopLevel(&owner));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kMenu));
    CMenu* tools = menu.GetSubMenu(1);

    bool picked = false;
    PickWhenOpen(QStringLiteral("E&xit"), &picked);
    EXPECT_EQ(tools->TrackPopupMenu(TPM_RETURNCMD, 20, 200, &owner), 32923);
    EXPECT_TRUE(picked);
    EXPECT_TRUE(owner.commands.empty()) << "TPM_RETURNCMD sends nothing";
    ASSERT_EQ(owner.initPopups.size(), 1u);
    EXPECT_EQ(owner.initPopups[0], reinterpret_cast<WPARAM>(tools->m_hMenu));

    picked = false;
    PickWhenOpen(QStringLiteral("Edit Categories..."), &picked);
    EXPECT_TRUE(tools->TrackPopupMenu(TPM_NONOTIFY, 20, 200, &owner));
    EXPECT_TRUE(picked);
    EXPECT_EQ(owner.initPopups.size(), 1u) << "TPM_NONOTIFY";
    EXPECT_TRUE(owner.commands.empty()) << "posted, not sent";
    platform::testing::ProcessEvents();
    EXPECT_EQ(owner.commands, std::vector<UINT>{32909});
}

TEST_F(MenuTest, TrackedPopupShowsDisabledEntriesThatCannotBeChosen)
{
    CMenuOwner owner;
    ASSERT_TRUE(MakeTopLevel(&owner));
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kPlainMenu));
    CMenu* edit = menu.GetSubMenu(0);

    bool picked = false;
    bool disabledShown = false;
    QTimer::singleShot(0, [&] {
        QMenu* open = OpenPopup();
        QAction* cut = open ? Entry(open, QStringLiteral("Cut")) : nullptr;
        disabledShown = cut && !cut->isEnabled();
        picked = TapEntry(QStringLiteral("Cut"));
        ClosePopups();
    });
    EXPECT_EQ(edit->TrackPopupMenu(TPM_RETURNCMD, 0, 100, &owner), 0);
    EXPECT_TRUE(disabledShown);
    EXPECT_TRUE(owner.commands.empty());
}

}  // namespace
