// Pop-up menus as a screen reader reads them: while open, a menu of the
// application with its entries (named without the '&', enabled or not,
// checked or not, where they are shown); gone once closed. Both kinds: the
// command bar's pop-ups and TrackPopupMenu's.

#include "AccessibilityTestSupport.h"
#include "MenuTestSupport.h"
#include "UiTest.h"

#include "platform/ui/CCmdUI.h"
#include "platform/ui/controls/commandbar/CCeCommandBar.h"
#include "platform/ui/controls/commandbar/CommandBarWidget.h"
#include "platform/ui/controls/menu/CMenu.h"

#include <QTimer>

using namespace a11ytest;
using namespace menutest;

namespace {

// Handles "What I Owe" (checked, as the current mode) and Exit; every other
// entry of the test menu has no handler and is disabled.
class COwner : public CWnd {
public:
    void OnChosen(UINT) {}
    void OnUpdateOwe(CCmdUI* ui) { ui->SetRadio(TRUE); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwner, CWnd)
    ON_COMMAND_RANGE(32871, 32871, OnChosen)
    ON_COMMAND_RANGE(32923, 32923, OnChosen)
    ON_UPDATE_COMMAND_UI(32871, OnUpdateOwe)
END_MESSAGE_MAP()

struct EntryState {
    std::string name;
    QAccessible::Role role;
    bool enabled;
    bool checked;
    bool operator==(const EntryState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const EntryState& e)
{
    return out << "{" << e.name << ", role " << e.role << (e.enabled ? ", enabled" : ", disabled")
               << (e.checked ? ", checked}" : "}");
}

std::vector<EntryState> Entries(QAccessibleInterface* menu)
{
    std::vector<EntryState> entries;
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface* entry = menu->child(i);
        const QAccessible::State s = entry->state();
        entries.push_back({Name(entry), entry->role(), !s.disabled, bool(s.checked)});
    }
    return entries;
}

QAccessibleInterface* OpenMenuOnTheBus()
{
    for (int i = 0; i < App()->childCount(); ++i)
        if (QAccessibleInterface* child = App()->child(i); child && child->role() == QAccessible::PopupMenu)
            return child;
    return nullptr;
}

class AccessibilityMenusTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterTestMenus();
        ASSERT_TRUE(MakeTopLevel(&owner));
    }
    void TearDown() override
    {
        ClosePopups();
        UiTest::TearDown();
    }

    COwner owner;
};

TEST_F(AccessibilityMenusTest, CommandBarPopupIsAMenuOfTheApplicationNamedAfterItsButtonWhileOpen)
{
    CCeCommandBar bar;
    ASSERT_TRUE(bar.Create(&owner));
    ASSERT_NE(bar.InsertMenuBar(kMenu), nullptr);
    QAccessibleInterface* toolBar = Of(bar.m_hWnd);
    EXPECT_EQ(toolBar->role(), QAccessible::ToolBar);
    QAccessibleInterface* view = Find(toolBar, QAccessible::PushButton, QStringLiteral("View"));
    ASSERT_NE(view, nullptr);
    EXPECT_NE(Find(toolBar, QAccessible::PushButton, QStringLiteral("Tools")), nullptr);
    EXPECT_EQ(OpenMenuOnTheBus(), nullptr);

    auto* widget = dynamic_cast<platform::CommandBarWidget*>(platform::LookupWindow(bar.m_hWnd)->widget.data());
    Tap(widget->Buttons().front());
    platform::testing::ProcessEvents();
    QAccessibleInterface* menu = OpenMenuOnTheBus();
    ASSERT_NE(menu, nullptr) << "an open pop-up is on the bus";
    EXPECT_EQ(Name(menu), "View");
    EXPECT_EQ(menu->parent(), App());
    const auto M = QAccessible::MenuItem;
    EXPECT_EQ(Entries(menu), (std::vector<EntryState>{{"Home", M, false, false},
                                                      {"", QAccessible::Separator, true, false},
                                                      {"What I Owe", M, true, true},
                                                      {"What's Owed to Me", M, false, false},
                                                      {"What's Due", M, false, false},
                                                      {"All Items", M, false, false}}));
    // Above the bar, entries inside their menu, top to bottom.
    const QRect box = menu->rect();
    EXPECT_LE(box.bottom(), view->rect().top());
    EXPECT_TRUE(box.contains(menu->child(0)->rect()));
    EXPECT_LT(menu->child(0)->rect().top(), menu->child(2)->rect().top());
    const QPoint centre = menu->child(2)->rect().center();
    EXPECT_EQ(menu->childAt(centre.x(), centre.y()), menu->child(2));
    ExpectConsistentTree(menu);

    ClosePopups();
    EXPECT_EQ(OpenMenuOnTheBus(), nullptr) << "a closed pop-up leaves the bus";
}

TEST_F(AccessibilityMenusTest, TrackedPopupIsOnTheBusWhileOpenAndAReaderCanChooseAnEntry)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, u"&Save\tCtrl+S");
    menu.AppendMenu(MF_STRING | MF_CHECKED, 2, u"Show &Returned");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | MF_GRAYED, 3, u"&Delete");
    menu.AppendMenu(MF_STRING, 4, u"Fish && Chips");

    // Reads the menu once it is open, then chooses "Fish & Chips" as a reader
    // would; closes it if it never shows on the bus.
    std::vector<EntryState> seen;
    QRect box;
    bool done = false;
    int ticks = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QAccessibleInterface* open = done ? nullptr : OpenMenuOnTheBus();
        if (!open || !open->rect().isValid()) {
            if (!done && ++ticks > 300) {
                done = true;
                ADD_FAILURE() << "the open pop-up never showed on the bus";
                ClosePopups();
            }
            return;
        }
        done = true;
        seen = Entries(open);
        box = open->rect();
        ExpectConsistentTree(open);
        QAccessibleInterface* fish = open->child(4);
        if (!fish || !fish->actionInterface()) {
            ADD_FAILURE() << "no entry to choose";
            ClosePopups();
            return;
        }
        EXPECT_TRUE(open->child(3)->actionInterface()->actionNames().isEmpty()) << "a disabled entry cannot be chosen";
        fish->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    poll.start(10);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 20, 100, &owner), 4);
    poll.stop();

    const auto M = QAccessible::MenuItem;
    EXPECT_EQ(seen, (std::vector<EntryState>{{"Save", M, true, false},
                                             {"Show Returned", M, true, true},
                                             {"", QAccessible::Separator, true, false},
                                             {"Delete", M, false, false},
                                             {"Fish & Chips", M, true, false}}));
    EXPECT_TRUE(DesktopWindowOf(owner.m_hWnd)->rect().contains(box.topLeft()));
    EXPECT_EQ(OpenMenuOnTheBus(), nullptr);
}

}  // namespace
