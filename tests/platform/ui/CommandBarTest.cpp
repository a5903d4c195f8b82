// The command bar: at the bottom of its window, the menu bar's buttons and
// pop-ups, update-UI before a pop-up opens, commands to the owner, tool tips,
// adornments and bar styles.

#include "MenuTestSupport.h"
#include "UiTest.h"

#include "platform/ui/controls/commandbar/CCeCommandBar.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/controls/commandbar/CommandBar.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"
#include "platform/ui/DialogTemplate.h"

#include <QToolButton>

#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace menutest;

constexpr UINT kNew = 57600;

// A frame-like owner: handles most commands of the menu, disables one through
// its update handler and has no handler at all for "All Items" (32869).
class COwnerWnd : public CWnd {
public:
    std::vector<UINT> commands;
    std::vector<LPARAM> commandLParams;
    std::vector<WPARAM> initPopups;
    BOOL dueEnabled = TRUE;

    void OnView(UINT id) { commands.push_back(id); }
    void OnNew() { commands.push_back(kNew); }
    void OnOk() { commands.push_back(IDOK); }
    void OnUpdateDue(CCmdUI* ui) { ui->Enable(dueEnabled); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commandLParams.push_back(lParam);
        if (message == WM_INITMENUPOPUP)
            initPopups.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    ON_COMMAND_RANGE(32800, 32868, OnView)
    ON_COMMAND_RANGE(32870, 32999, OnView)
    ON_COMMAND_RANGE(57600, 57600, OnView)
    ON_COMMAND_RANGE(57664, 57670, OnView)
    ON_COMMAND(IDOK, OnOk)
    ON_UPDATE_COMMAND_UI(32810, OnUpdateDue)
END_MESSAGE_MAP()

class CommandBarTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterTestMenus();
    }
    void TearDown() override
    {
        ClosePopups();
        UiTest::TearDown();
    }

    static std::vector<QAbstractButton*> Buttons(HWND bar)
    {
        platform::Window* w = platform::LookupWindow(bar);
        auto* widget = w ? dynamic_cast<platform::CommandBarWidget*>(w->widget.data()) : nullptr;
        return widget ? widget->Buttons() : std::vector<QAbstractButton*>{};
    }
    static QAbstractButton* Button(HWND bar, const QString& text)
    {
        for (QAbstractButton* b : Buttons(bar))
            if (b->text() == text)
                return b;
        return nullptr;
    }
    static std::vector<QString> Texts(HWND bar)
    {
        std::vector<QString> texts;
        for (QAbstractButton* b : Buttons(bar))
            texts.push_back(b->text());
        return texts;
    }
    static CRect RectInParent(HWND bar)
    {
        CRect r;
        ::GetWindowRect(bar, &r);
        ::ScreenToClient(::GetParent(bar), reinterpret_cast<POINT*>(&r.left));
        ::ScreenToClient(::GetParent(bar), reinterpret_cast<POINT*>(&r.right));
        return r;
    }

    COwnerWnd m_owner;
    CCeCommandBar m_bar;

    // The main frame's steps: bar, menu bar, no adornments.
    void MakeFrameWithBar()
    {
        ASSERT_TRUE(MakeTopLevel(&m_owner));
        ASSERT_TRUE(m_bar.Create(&m_owner));
        ASSERT_NE(m_bar.InsertMenuBar(kMenu), nullptr);
        ASSERT_TRUE(m_bar.AddAdornments(0));
    }
};

TEST_F(CommandBarTest, DefaultBarIsAVisibleChildWithTheToolBarIdAtTheBottom)
{
    MakeFrameWithBar();
    EXPECT_EQ(m_bar.GetDlgCtrlID(), static_cast<int>(AFX_IDW_TOOLBAR));
    EXPECT_EQ(m_bar.GetStyle() & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(m_bar.GetBarStyle(), 0x2800u) << "the style's bar bits";
    m_bar.SetBarStyle(m_bar.GetBarStyle() | 0x32);
    EXPECT_EQ(m_bar.GetBarStyle(), 0x2832u);

    CRect client;
    m_owner.GetClientRect(&client);
    EXPECT_EQ(m_bar.GetHeight(), 26);
    EXPECT_EQ(RectInParent(m_bar), CRect(0, client.bottom - 26, client.right, client.bottom));

    // It stays at the bottom when its window changes size.
    m_owner.MoveWindow(0, 26, 200, 150);
    platform::testing::ProcessEvents();
    EXPECT_EQ(RectInParent(m_bar), CRect(0, 150 - 26, 200, 150));
}

TEST_F(CommandBarTest, BarSitsAtTheBottomOfADialogOverItsControls)
{
    platform::DialogTemplate tmpl{9900, u"Bar", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 0, 120, 150, u"Tahoma", 8,
                                  {{u"Low", 1001, u"BUTTON", BS_PUSHBUTTON | WS_VISIBLE, 0, 140, 40, 10}}};
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(tmpl));
    CCeCommandBar bar;
    ASSERT_TRUE(bar.Create(&dialog));
    EXPECT_TRUE(bar.AddAdornments(0));
    EXPECT_TRUE(Buttons(bar).empty()) << "no menu, no adornments: an empty bar";

    CRect client;
    dialog.GetClientRect(&client);
    EXPECT_EQ(RectInParent(bar), CRect(0, client.bottom - 26, client.right, client.bottom));
    platform::Window* w = platform::LookupWindow(bar);
    ASSERT_TRUE(w && w->widget);
    QWidget* parent = w->widget->parentWidget();
    EXPECT_EQ(parent->children().last(), w->widget.data()) << "on top of the dialog's controls";
    dialog.DestroyWindow();
}

TEST_F(CommandBarTest, MenuBarShowsTheDescriptionsLabelsInOrder)
{
    MakeFrameWithBar();
    EXPECT_EQ(Texts(m_bar), (std::vector<QString>{"View", "Tools", "Help"}));
    EXPECT_EQ(m_bar.SendMessage(TB_BUTTONCOUNT), 3);
    CMenu* menu = m_bar.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 3u);
    const HMENU first = menu->m_hMenu;   // the object goes with the menu

    // A plain menu gives one button per pop-up; a second menu bar replaces the first.
    ASSERT_NE(m_bar.InsertMenuBar(kPlainMenu), nullptr);
    EXPECT_EQ(Texts(m_bar), (std::vector<QString>{"Edit", "Tools"}));
    EXPECT_FALSE(::IsMenu(first)) << "the old menu went with its menu bar";
    EXPECT_EQ(m_bar.InsertMenuBar(4711), nullptr);
    EXPECT_EQ(Texts(m_bar), (std::vector<QString>{"Edit", "Tools"})) << "a failed insert changes nothing";
}

TEST_F(CommandBarTest, TappingAButtonThenAnEntrySendsTheCommandToTheOwner)
{
    MakeFrameWithBar();
    struct Case {
        QString button;
        QString entry;
        UINT command;
    };
    const Case cases[] = {
        {"View", "What I Owe", 32871},
        {"View", "Home", 32910},
        {"Tools", "E&xit", 32923},
        {"Help", "About Owebook", 57664},
    };
    for (const Case& c : cases) {
        m_owner.commands.clear();
        m_owner.commandLParams.clear();
        QAbstractButton* button = Button(m_bar, c.button);
        ASSERT_NE(button, nullptr) << c.button.toStdString();
        Tap(button);
        ASSERT_NE(OpenPopup(), nullptr) << c.button.toStdString();
        ASSERT_TRUE(TapEntry(c.entry)) << c.entry.toStdString();
        EXPECT_EQ(OpenPopup(), nullptr);
        EXPECT_EQ(m_owner.commands, std::vector<UINT>{c.command}) << c.entry.toStdString();
        EXPECT_EQ(m_owner.commandLParams, std::vector<LPARAM>{0});
    }
}

TEST_F(CommandBarTest, UpdateHandlersDecideWhichEntriesCanBeChosen)
{
    MakeFrameWithBar();
    for (BOOL due : {FALSE, TRUE}) {
        m_owner.dueEnabled = due;
        m_owner.commands.clear();
        m_owner.initPopups.clear();
        Tap(Button(m_bar, "View"));
        QMenu* popup = OpenPopup();
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(m_owner.initPopups.size(), 1u);
        EXPECT_EQ(m_owner.initPopups[0], reinterpret_cast<WPARAM>(::GetSubMenu(m_bar.GetMenu()->m_hMenu, 0)));
        EXPECT_EQ(Entry(popup, "What's Due")->isEnabled(), due == TRUE);
        EXPECT_FALSE(Entry(popup, "All Items")->isEnabled()) << "nobody handles it";
        EXPECT_TRUE(Entry(popup, "Home")->isEnabled());

        TapEntry("What's Due");
        ClosePopups();
        EXPECT_EQ(m_owner.commands, due ? std::vector<UINT>{32810} : std::vector<UINT>{})
            << "a disabled entry sends nothing";
    }
}

TEST_F(CommandBarTest, NewButtonSendsTheNewDocumentCommand)
{
    MakeFrameWithBar();
    ASSERT_TRUE(m_bar.AddButton(u"New", kNew, 0));
    EXPECT_EQ(Texts(m_bar), (std::vector<QString>{"New", "View", "Tools", "Help"}));
    QAbstractButton* button = Button(m_bar, "New");
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << "a tap leaves the focus in the view";
    EXPECT_EQ(button->accessibleName(), QString("New"));
    Tap(button);
    EXPECT_EQ(OpenPopup(), nullptr);
    platform::testing::ProcessEvents();
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{kNew});
}

TEST_F(CommandBarTest, ToolTipsAreCopiedAndGoToTheCommandButtonsInOrder)
{
    MakeFrameWithBar();
    ASSERT_TRUE(m_bar.AddButton(u"New", kNew, 0));
    {
        auto item = std::make_unique<char16_t[]>(5);
        std::memcpy(item.get(), u"Item", 5 * sizeof(char16_t));
        LPCWSTR tips[] = {item.get(), u"Help", u"Cut"};
        EXPECT_EQ(m_bar.SendMessage(TB_SETTOOLTIPS, 3, reinterpret_cast<LPARAM>(tips)), TRUE);
    }   // the caller's strings are gone
    EXPECT_EQ(Button(m_bar, "New")->toolTip(), QString("Item"));
    EXPECT_TRUE(Button(m_bar, "View")->toolTip().isEmpty()) << "menu buttons show their label";
    ASSERT_TRUE(m_bar.AddButton(u"Go", 32999));
    EXPECT_EQ(Button(m_bar, "Go")->toolTip(), QString("Help")) << "a later button takes the next tip";
    EXPECT_EQ(Button(m_bar, "New")->toolTip(), QString("Item"));

    EXPECT_EQ(m_bar.SendMessage(TB_SETTOOLTIPS, 2, 0), FALSE) << "a count without texts";
    EXPECT_EQ(Button(m_bar, "New")->toolTip(), QString("Item"));
}

TEST_F(CommandBarTest, AdornmentsAddOnlyWhatTheirFlagsAsk)
{
    MakeFrameWithBar();
    EXPECT_EQ(Texts(m_bar).size(), 3u) << "flags 0";
    EXPECT_FALSE(m_bar.AddAdornments(CMDBAR_HELP));
    EXPECT_TRUE(m_bar.AddAdornments(CMDBAR_OK));
    ASSERT_EQ(Texts(m_bar).back(), QString("ok"));
    Tap(Button(m_bar, "ok"));
    platform::testing::ProcessEvents();
    EXPECT_EQ(m_owner.commands, std::vector<UINT>{IDOK});
}

TEST_F(CommandBarTest, FunctionsWorkOnBarsAndRefuseOtherWindows)
{
    ASSERT_TRUE(MakeTopLevel(&m_owner));
    HWND bar = CommandBar_Create(nullptr, m_owner, 0xE800);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(CommandBar_InsertMenubar(bar, nullptr, kMenu, 0));
    EXPECT_EQ(CommandBar_Height(bar), 26);
    EXPECT_TRUE(CommandBar_IsVisible(bar));
    EXPECT_TRUE(CommandBar_Show(bar, FALSE));
    EXPECT_FALSE(CommandBar_IsVisible(bar));
    LPCWSTR tips[] = {u"Item"};
    EXPECT_TRUE(CommandBar_AddToolTips(bar, 1, tips));
    HMENU menu = CommandBar_GetMenu(bar, 0);
    EXPECT_TRUE(::IsMenu(menu));

    EXPECT_EQ(CommandBar_Height(m_owner), 0) << "not a bar";
    EXPECT_FALSE(CommandBar_InsertMenubar(m_owner, nullptr, kMenu, 0));
    EXPECT_EQ(CommandBar_Create(nullptr, nullptr, 1), nullptr) << "a bar needs a parent";

    CommandBar_Destroy(bar);
    EXPECT_FALSE(::IsWindow(bar));
    EXPECT_FALSE(::IsMenu(menu)) << "the menu goes with the bar";
    EXPECT_EQ(CommandBar_Height(bar), 0);
    EXPECT_FALSE(CommandBar_AddAdornments(bar, 0, 0));
}

}  // namespace
