#include "platform/ui/controls/menu/MenuPopup.h"

#include "platform/ui/CCmdUI.h"
#include "platform/ui/controls/menu/CMenu.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/controls/menu/MenuHandles.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <QAction>
#include <QMenu>

namespace platform {
namespace {

QString ToQString(const CString& s) { return QString::fromUtf16(s.GetString(), s.GetLength()); }

// Applies what the update handlers say to the entry at m_nIndex.
class MenuCmdUI : public CCmdUI {
public:
    explicit MenuCmdUI(HMENU menu) : m_menu(menu) {}

    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        ::EnableMenuItem(m_menu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
    }
    void SetCheck(int nCheck) override
    {
        CCmdUI::SetCheck(nCheck);
        ::CheckMenuItem(m_menu, m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCWSTR lpszText) override
    {
        CCmdUI::SetText(lpszText);
        if (MenuEntry* entry = FindMenuEntry(m_menu, m_nIndex, MF_BYPOSITION); entry && lpszText)
            entry->text = lpszText;
    }

private:
    HMENU m_menu;
};

}  // namespace

bool PrepareMenuPopup(HMENU menu, HWND owner, UINT index, bool queryCommands, bool notify)
{
    Menu* data = FindMenu(menu);
    if (!data || !::IsWindow(owner))
        return false;
    if (queryCommands) {
        const UINT count = static_cast<UINT>(data->entries.size());
        for (UINT i = 0; i < count; ++i) {
            const MenuEntry* entry = FindMenuEntry(menu, i, MF_BYPOSITION);
            CWnd* target = CWnd::FromHandle(owner);
            if (!entry || !target)
                return false;
            if (entry->popup || (entry->flags & MF_SEPARATOR) || entry->id == 0)
                continue;
            MenuCmdUI state(menu);
            state.m_nID = entry->id;
            state.m_nIndex = i;
            state.m_nIndexMax = count;
            state.m_pMenu = CMenu::FromHandle(menu);
            state.DoUpdate(target, TRUE);
        }
    }
    if (notify && ::IsWindow(owner) && FindMenu(menu))
        ::SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(index, FALSE));
    return ::IsWindow(owner) && FindMenu(menu);
}

QMenu* BuildQMenu(HMENU menu, QWidget* parent)
{
    const Menu* data = FindMenu(menu);
    if (!data)
        return nullptr;
    auto* qmenu = new QMenu(parent);
    for (const MenuEntry& entry : data->entries) {
        if (entry.flags & MF_SEPARATOR) {
            qmenu->addSeparator();
        } else if (entry.popup) {
            if (QMenu* sub = BuildQMenu(entry.popup, qmenu)) {
                sub->setTitle(ToQString(entry.text));
                sub->menuAction()->setEnabled((entry.flags & (MF_GRAYED | MF_DISABLED)) == 0);
                qmenu->addMenu(sub);
            }
        } else {
            QAction* action = qmenu->addAction(ToQString(entry.text));
            action->setData(entry.id);
            action->setEnabled((entry.flags & (MF_GRAYED | MF_DISABLED)) == 0);
            if (entry.flags & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
        }
    }
    return qmenu;
}

QPoint ScreenToGlobal(HWND reference, POINT screen)
{
    Window* w = LookupWindow(TopLevelOf(reference));
    if (!w)
        w = LookupWindow(ActiveWindow());
    if (!w || !w->widget)
        return QPoint(screen.x, screen.y);
    return w->widget->mapToGlobal(QPoint(screen.x - w->rect.left, screen.y - w->rect.top));
}

}  // namespace platform
