#include "platform/ui/WindowManager.h"

#include "platform/core/TextCopy.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/FontMapper.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/qt/CaptionStrip.h"
#include "platform/ui/CrossProcess.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/qt/EventBridge.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/qt/Style.h"
#include "platform/ui/qt/TopLevelFrame.h"
#include "platform/ui/UiState.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowClassRegistry.h"
#include "platform/ui/WindowTable.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <cassert>
#include <map>

namespace platform {

// --- calls into CWnd --------------------------------------------------------

LRESULT WindowAccess::WindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    return object->WindowProc(message, wParam, lParam);
}

LRESULT WindowAccess::DefWindowProc(CWnd* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    return object->DefWindowProc(message, wParam, lParam);
}

BOOL WindowAccess::PreTranslateMessage(CWnd* object, MSG* msg) { return object->PreTranslateMessage(msg); }

void WindowAccess::PreSubclassWindow(CWnd* object) { object->PreSubclassWindow(); }

void WindowAccess::PostNcDestroy(CWnd* object) { object->PostNcDestroy(); }

namespace {

QString ToQString(const CString& s) { return QString::fromUtf16(s.GetString(), s.GetLength()); }

void SaveFocusOf(HWND topLevel)
{
    if (Window* w = LookupWindow(topLevel); w && Ui().focus && IsDescendant(topLevel, Ui().focus))
        w->lastFocus = Ui().focus;
}

}  // namespace

QFont DefaultWindowFont()
{
    static const QFont font = FontFromLogFont(DefaultLogFont());
    return font;
}

void ShowTitle(Window& w)
{
    if (!w.frame)
        return;
    const QString title = ToQString(w.text);
    // A window without text goes by the program's title.
    const CString appTitle = AppTitle();
    w.frame->setWindowTitle(title.isEmpty() ? QString::fromUtf16(appTitle.GetString(), appTitle.GetLength()) : title);
    w.frame->setAccessibleName(title);
    if (w.strip)
        w.strip->SetTitle(title);
}

int BorderWidth(const Window& w)
{
    // A top-level window's frame is the desktop's, around its client area.
    if (w.IsTopLevel())
        return 0;
    int width = (w.style & WS_DLGFRAME) ? 3 : (w.style & WS_BORDER) ? 1 : 0;
    if (w.exStyle & WS_EX_CLIENTEDGE)
        width += 2;
    else if (w.exStyle & WS_EX_STATICEDGE)
        width += 1;
    return width;
}

QPoint ClientOffset(const Window& w)
{
    const int border = BorderWidth(w);
    return QPoint(border, border);
}

QRect ClientRect(const Window& w)
{
    const int border = BorderWidth(w);
    const int cx = w.rect.right - w.rect.left - 2 * border - (w.vscroll ? kScrollBarExtent : 0);
    const int cy = w.rect.bottom - w.rect.top - 2 * border - (w.hscroll ? kScrollBarExtent : 0);
    return QRect(0, 0, std::max(0, cx), std::max(0, cy));
}

LPARAM ClientSizeParam(const Window& w)
{
    const QRect client = ClientRect(w);
    return MAKELPARAM(client.width(), client.height());
}

// --- lookup helpers ---------------------------------------------------------

HWND TopLevelOf(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    while (w && !w->IsTopLevel()) {
        Window* parent = LookupWindow(w->parent);
        if (!parent)
            break;
        w = parent;
    }
    return w ? w->hwnd : nullptr;
}

bool IsDescendant(HWND ancestor, HWND hwnd)
{
    for (Window* w = LookupWindow(hwnd); w; w = w->IsTopLevel() ? nullptr : LookupWindow(w->parent))
        if (w->hwnd == ancestor)
            return true;
    return false;
}

void ApplyGeometry(Window& w)
{
    const int cx = std::max<int>(0, w.rect.right - w.rect.left);
    const int cy = std::max<int>(0, w.rect.bottom - w.rect.top);
    if (w.frame) {
        static_cast<TopLevelFrame*>(w.frame.data())->SetClientSize(cx, cy);
    } else if (w.widget) {
        // A child's rectangle is in its parent's client area.
        const Window* parent = LookupWindow(w.parent);
        const QPoint origin = parent ? ClientOffset(*parent) : QPoint(0, 0);
        w.widget->setGeometry(origin.x() + w.rect.left, origin.y() + w.rect.top, cx, cy);
    }
}

void ApplyChildrenGeometry(Window& w)
{
    for (HWND child : w.children)
        if (Window* c = LookupWindow(child))
            ApplyGeometry(*c);
}

void ShowWidget(Window& w, bool visible)
{
    if (QWidget* outer = w.Outer())
        outer->setVisible(visible);
}

// --- creation and destruction -------------------------------------------------

HWND CreateWindowFor(const CREATESTRUCT& csIn, CWnd* object)
{
    EnsureApplication();
    UsePlatformStyle();
    CREATESTRUCT cs = csIn;
    const bool child = (cs.style & WS_CHILD) != 0;
    Window* parent = LookupWindow(cs.hwndParent);
    if (child && !parent)
        return nullptr;
    if (object && object->m_hWnd)
        return nullptr;

    const WindowClass* cls = FindWindowClass(cs.lpszClass);
    const WindowClass& windowClass = cls ? *cls : PlainWindowClass();

    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    const HWND hwnd = AddWindowToTable(std::move(owned));
    if (!hwnd)
        return nullptr;
    w->hwnd = hwnd;
    w->className = (cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass)) ? CString(cs.lpszClass) : CString();
    w->style = static_cast<DWORD>(cs.style) & ~WS_VISIBLE;   // ShowWindow below makes it visible
    w->exStyle = cs.dwExStyle;
    w->enabled = (cs.style & WS_DISABLED) == 0;
    if (cs.lpszName && !IS_INTRESOURCE(cs.lpszName))
        w->text = cs.lpszName;
    if (child) {
        w->parent = cs.hwndParent;
        w->id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(cs.hMenu));
        parent->children.push_back(hwnd);
    } else if (parent) {
        w->owner = TopLevelOf(cs.hwndParent);
    }
    if (!child && (cs.cx <= 0 || cs.cy <= 0)) {
        const CRect work = WorkArea();
        cs.x = work.left;
        cs.y = work.top;
        cs.cx = work.Width();
        cs.cy = work.Height();
    }
    w->rect = RECT{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
    w->proc = windowClass.proc;

    if (object) {
        w->object = object;
    } else {
        w->autoObject.reset(windowClass.makeObject ? windowClass.makeObject() : new CWnd);
        w->object = w->autoObject.get();
    }
    w->object->m_hWnd = hwnd;

    QWidget* host = nullptr;
    if (!child) {
        const bool strip = (cs.style & WS_CAPTION) == WS_CAPTION;
        auto* frame = new TopLevelFrame(hwnd, strip);
        w->frame = frame;
        w->strip = frame->Strip();
        if (w->strip)
            w->strip->SetOkVisible((cs.dwExStyle & WS_EX_CAPTIONOKBTN) != 0);
        host = frame;
    } else {
        host = parent->widget;
    }
    QWidget* widget = windowClass.makeWidget(hwnd, cs, host);
    if (!widget) {
        w->object->m_hWnd = nullptr;
        DestroyWindowTree(hwnd);
        return nullptr;
    }
    w->widget = widget;
    TagWidget(widget, hwnd);
    widget->setFont(DefaultWindowFont());
    widget->setEnabled(w->enabled);
    if (w->frame) {
        static_cast<TopLevelFrame*>(w->frame.data())->SetClient(widget, cs.cx, cs.cy);
        widget->show();
        ShowTitle(*w);
    } else {
        ApplyGeometry(*w);
        widget->setVisible(false);
    }

    if (object) {
        WindowAccess::PreSubclassWindow(object);
        if (!LookupWindow(hwnd))
            return nullptr;
    }
    cs.hMenu = child ? cs.hMenu : nullptr;
    if (Dispatch(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindowTree(hwnd);
        return nullptr;
    }
    if (!LookupWindow(hwnd))
        return nullptr;
    if (Window* made = LookupWindow(hwnd))
        Dispatch(hwnd, WM_SIZE, SIZE_RESTORED, ClientSizeParam(*made));
    if (LookupWindow(hwnd) && (cs.style & WS_VISIBLE))
        ::ShowWindow(hwnd, SW_SHOW);
    if (!child && LookupWindow(hwnd))
        AnnounceTopLevelWindow(hwnd);   // other launches find it through EnumWindows
    return LookupWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindowTree(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    if (!w || w->destroying)
        return FALSE;
    w->destroying = true;
    const bool wasActive = (Ui().active == hwnd);
    const HWND owner = w->owner;

    if (Ui().focus && IsDescendant(hwnd, Ui().focus))
        SetFocusTo(nullptr);
    if (QWidget* outer = w->Outer())
        outer->hide();

    // Windows this one owns go first, as on the handheld.
    for (HWND other : AllWindows())
        if (Window* o = LookupWindow(other); o && o->owner == hwnd)
            DestroyWindowTree(other);

    Dispatch(hwnd, WM_DESTROY, 0, 0);
    w = LookupWindow(hwnd);
    if (!w)
        return TRUE;
    const std::vector<HWND> children = w->children;
    for (HWND c : children)
        DestroyWindowTree(c);
    w = LookupWindow(hwnd);
    if (!w)
        return TRUE;
    w->timers.clear();
    Dispatch(hwnd, WM_NCDESTROY, 0, 0);

    w = LookupWindow(hwnd);
    if (!w)
        return TRUE;
    if (Window* parent = LookupWindow(w->parent))
        parent->children.erase(std::remove(parent->children.begin(), parent->children.end(), hwnd),
                               parent->children.end());
    if (Ui().focus == hwnd)
        Ui().focus = nullptr;
    if (Ui().active == hwnd)
        Ui().active = nullptr;
    if (w->IsTopLevel())
        WithdrawTopLevelWindow(hwnd);
    std::unique_ptr<Window> owned = RemoveWindowFromTable(hwnd);

    CWnd* object = w->object;
    std::unique_ptr<CWnd> autoObject = std::move(w->autoObject);
    if (object)
        object->m_hWnd = nullptr;
    if (QWidget* outer = w->Outer()) {
        if (w->widgetOwnedByParent) {
            TagWidget(outer, nullptr);
        } else {
            outer->setParent(nullptr);
            outer->deleteLater();
        }
    }
    if (w->ownedFont)
        ::DeleteObject(w->ownedFont);
    owned.reset();

    const bool programObject = object && object != autoObject.get();
    autoObject.reset();
    if (programObject)
        WindowAccess::PostNcDestroy(object);   // may delete the object
    if (wasActive && LookupWindow(owner))
        Activate(owner);
    return TRUE;
}

bool CanAttach(HWND hwnd, const CWnd* object)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !object || (object->m_hWnd && object->m_hWnd != hwnd))
        return false;
    // A window has one program object at a time.
    return w->object == object || !w->object || w->object == w->autoObject.get();
}

BOOL AttachObject(HWND hwnd, CWnd* object)
{
    if (!CanAttach(hwnd, object))
        return FALSE;
    Window* w = LookupWindow(hwnd);
    if (w->object == object)
        return TRUE;
    std::unique_ptr<CWnd> old = std::move(w->autoObject);
    w->object = object;
    object->m_hWnd = hwnd;
    if (old)
        old->m_hWnd = nullptr;
    return TRUE;
}

HWND DetachObject(CWnd* object)
{
    if (!object)
        return nullptr;
    HWND hwnd = object->m_hWnd;
    Window* w = LookupWindow(hwnd);
    object->m_hWnd = nullptr;
    if (!w || w->object != object)
        return nullptr;
    const WindowClass* cls = FindWindowClass(w->className);
    const WindowClass& windowClass = cls ? *cls : PlainWindowClass();
    w->autoObject.reset(windowClass.makeObject ? windowClass.makeObject() : new CWnd);
    w->object = w->autoObject.get();
    w->object->m_hWnd = hwnd;
    return hwnd;
}

// --- dispatch -----------------------------------------------------------------

LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, RoutedEvent* routed)
{
    assert(OnUiThread() && "windows are used on the UI thread only");
    UiState& ui = Ui();
    Window* w = LookupWindow(hwnd);
    if (!w || !w->object)
        return 0;
    if (!ui.observers.empty()) {
        const auto observers = ui.observers;   // an observer may remove itself
        for (const auto& [id, observer] : observers)
            observer(hwnd, message, wParam, lParam);
        w = LookupWindow(hwnd);
        if (!w || !w->object)
            return 0;
    }
    struct Frame {
        explicit Frame(const MessageFrame& frame) { Ui().frames.push_back(frame); }
        ~Frame() { Ui().frames.pop_back(); }
    } frame(MessageFrame{MSG{hwnd, message, wParam, lParam, 0, {0, 0}}, routed});
    return WindowAccess::WindowProc(w->object, message, wParam, lParam);
}

const MessageFrame* CurrentMessage(HWND hwnd)
{
    const auto& frames = Ui().frames;
    for (auto it = frames.rbegin(); it != frames.rend(); ++it)
        if (it->msg.hwnd == hwnd)
            return &*it;
    return nullptr;
}

// --- focus and activation -------------------------------------------------------

HWND FocusWindow()
{
    if (Ui().focus && !LookupWindow(Ui().focus))
        Ui().focus = nullptr;
    return Ui().focus;
}

static HWND MoveFocus(HWND hwnd, bool moveQt)
{
    HWND old = FocusWindow();
    if (hwnd && !LookupWindow(hwnd))
        return old;
    if (old == hwnd)
        return old;
    if (hwnd) {
        HWND top = TopLevelOf(hwnd);
        if (top != Ui().active)
            Activate(top);
        if (FocusWindow() == hwnd)
            return old;
        old = FocusWindow();
    }
    Ui().focus = hwnd;
    if (old)
        Dispatch(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (Ui().focus != hwnd)
        return old;   // a WM_KILLFOCUS handler moved the focus elsewhere
    if (Window* w = LookupWindow(hwnd)) {
        if (moveQt && w->widget)
            w->widget->setFocus(Qt::OtherFocusReason);
        Dispatch(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    } else if (moveQt) {
        if (Window* o = LookupWindow(old); o && o->widget && o->widget->hasFocus())
            o->widget->clearFocus();
    }
    return old;
}

HWND SetFocusTo(HWND hwnd) { return MoveFocus(hwnd, true); }

void FocusChangedByQt(HWND hwnd)
{
    // Qt also moves its focus on its own when widgets hide; only a window that
    // can take input follows it.
    // Nor does Qt's focus change which window is active: a click into another
    // window activates that window first (EventBridge), a modal dialog's
    // disabled owner takes no focus at all.
    if (hwnd == FocusWindow() || !::IsWindowVisible(hwnd) || TopLevelOf(hwnd) != ActiveWindow())
        return;
    for (Window* w = LookupWindow(hwnd); w; w = w->IsTopLevel() ? nullptr : LookupWindow(w->parent))
        if (!w->enabled)
            return;
    MoveFocus(hwnd, false);
}

HWND ActiveWindow()
{
    if (Ui().active && !LookupWindow(Ui().active))
        Ui().active = nullptr;
    return Ui().active;
}

HWND Activate(HWND hwnd)
{
    hwnd = TopLevelOf(hwnd);
    HWND old = ActiveWindow();
    if (old == hwnd)
        return old;
    Ui().active = hwnd;
    if (old) {
        SaveFocusOf(old);
        Dispatch(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
        if (Ui().active != hwnd)
            return old;
        if (Ui().focus && IsDescendant(old, Ui().focus))
            MoveFocus(nullptr, false);
    }
    if (Window* w = LookupWindow(hwnd)) {
        Dispatch(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
        if ((w = LookupWindow(hwnd)) && w->frame && w->frame->isVisible()) {
            if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                w->frame->raise();
            w->frame->activateWindow();
        }
    }
    return old;
}

// --- observers and broadcasts -------------------------------------------------------

int AddMessageObserver(MessageObserver observer)
{
    UiState& ui = Ui();
    ui.observers[++ui.lastObserver] = std::move(observer);
    return ui.lastObserver;
}

void RemoveMessageObserver(int id) { Ui().observers.erase(id); }

void BroadcastSettingChange(UINT flags, LPCWSTR section)
{
    for (HWND hwnd : AllWindows())
        if (Window* w = LookupWindow(hwnd); w && w->IsTopLevel())
            Dispatch(hwnd, WM_SETTINGCHANGE, flags, reinterpret_cast<LPARAM>(section));
}

}  // namespace platform
