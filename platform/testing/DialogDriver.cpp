#include "platform/testing/DialogDriver.h"

#include "platform/ui/qt/CaptionStrip.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/qt/Keys.h"
#include "platform/ui/MessageBoxDialog.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/Window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolButton>

namespace platform::testing {
namespace {

QWidget* InputWidget(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget)
        return nullptr;
    QWidget* target = w->widget;
    if (QWidget* fw = target->window()->focusWidget(); fw && (fw == target || target->isAncestorOf(fw)))
        return fw;
    if (QWidget* proxy = target->focusProxy())
        return proxy;
    return target;
}

// As a keyboard's key reaches the focused widget: shortcuts first, then the
// press and the release.
void SendKey(QWidget* target, int key, const QString& text)
{
    if (!target)
        return;
    QPointer<QWidget> guard(target);
    QTest::sendKeyEvent(QTest::Press, target, static_cast<Qt::Key>(key), text, Qt::NoModifier);
    if (guard)
        QTest::sendKeyEvent(QTest::Release, target, static_cast<Qt::Key>(key), text, Qt::NoModifier);
}

void SendMouse(QWidget* receiver, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), receiver->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(receiver, &event);
}

}  // namespace

void TapWindow(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget)
        return;
    QWidget* widget = w->widget;
    const QPoint centre = widget->rect().center();
    QWidget* receiver = widget->childAt(centre);
    if (!receiver)
        receiver = widget;
    const QPointF local = receiver->mapFrom(widget, QPointF(centre));
    const QPointF global = receiver->mapToGlobal(local);
    QPointer<QWidget> guard(receiver);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &press);
    if (!guard)
        return;
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(receiver, &release);
}

void TypeText(HWND hwnd, const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        const QChar c(text.GetAt(i));
        SendKey(InputWidget(hwnd), QtKeyOfCharacter(c), QString(c == u'\n' ? QChar(u'\r') : c));
    }
}

bool PickEntry(HWND combo, const CString& entry)
{
    Window* w = LookupWindow(combo);
    auto* box = w ? qobject_cast<QComboBox*>(w->widget.data()) : nullptr;
    if (!box || !box->isEnabled())
        return false;
    const int index = box->findText(QString::fromUtf16(entry.GetString(), entry.GetLength()), Qt::MatchFixedString);
    if (index < 0)
        return false;
    TapWindow(combo);   // opens the list
    if (!::IsWindow(combo) || !box->view()->isVisible())
        return false;
    // The finger slides over the list to the entry, then lifts there.
    QAbstractItemView* view = box->view();
    QWidget* viewport = view->viewport();
    view->scrollTo(view->model()->index(index, box->modelColumn()));
    const QPoint target = view->visualRect(view->model()->index(index, box->modelColumn())).center();
    QPointer<QWidget> guard(viewport);
    for (QPoint at : {viewport->rect().topLeft(), viewport->rect().bottomRight(), target}) {
        SendMouse(viewport, QEvent::MouseMove, at, Qt::NoButton);
        if (!guard)
            return false;
    }
    SendMouse(viewport, QEvent::MouseButtonPress, target, Qt::LeftButton);
    if (guard)
        SendMouse(viewport, QEvent::MouseButtonRelease, target, Qt::NoButton);
    return ::IsWindow(combo) && box->currentIndex() == index;
}

void PressKey(HWND hwnd, UINT vk) { SendKey(InputWidget(hwnd), QtKeyFromVirtualKey(vk), TextOfVirtualKey(vk)); }

bool DialogDriver::IsOpen() const { return ::IsWindow(m_hDlg) != FALSE; }

CString DialogDriver::Caption() const
{
    CString caption;
    if (CWnd* wnd = CWnd::FromHandle(m_hDlg))
        wnd->GetWindowText(caption);
    return caption;
}

UINT DialogDriver::TemplateId() const
{
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(m_hDlg));
    return dialog ? dialog->m_nIDTemplate : 0;
}

bool DialogDriver::IsMessageBox() const
{
    return dynamic_cast<MessageBoxDialog*>(CWnd::FromHandle(m_hDlg)) != nullptr;
}

CString DialogDriver::MessageText() const { return IsMessageBox() ? Text(IDC_MSGBOX_TEXT) : CString(); }

HWND DialogDriver::Item(int id) const
{
    if (HWND direct = ::GetDlgItem(m_hDlg, id))
        return direct;
    // A property sheet's controls live in its page that shows.
    for (HWND child = ::GetWindow(m_hDlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        WCHAR cls[16]{};
        ::GetClassName(child, cls, 16);
        if (CString(cls) == CString(WC_DIALOG) && ::IsWindowVisible(child))
            if (HWND inPage = ::GetDlgItem(child, id))
                return inPage;
    }
    return nullptr;
}

CString DialogDriver::Text(int id) const
{
    CString text;
    if (CWnd* item = CWnd::FromHandle(Item(id)))
        item->GetWindowText(text);
    return text;
}

bool DialogDriver::IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }

bool DialogDriver::IsVisible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }

void DialogDriver::Tap(int id) const { TapWindow(Item(id)); }

void DialogDriver::Focus(int id) const { ::SetFocus(Item(id)); }

void DialogDriver::Type(const CString& text) const
{
    HWND focus = ::GetFocus();
    TypeText(focus ? focus : m_hDlg, text);
}

void DialogDriver::TypeInto(int id, const CString& text) const
{
    Focus(id);
    Type(text);
}

void DialogDriver::PressKey(UINT vk) const
{
    HWND focus = ::GetFocus();
    testing::PressKey(focus ? focus : m_hDlg, vk);
}

bool DialogDriver::Pick(int id, const CString& entry) const { return PickEntry(Item(id), entry); }

void DialogDriver::TapOk() const
{
    Window* w = LookupWindow(m_hDlg);
    if (w && w->strip && w->strip->OkButton()->isVisible())
        w->strip->OkButton()->click();
}

void DialogDriver::CloseWindow() const
{
    if (Window* w = LookupWindow(m_hDlg); w && w->frame)
        w->frame->close();
}

void DialogDriver::End(int result) const { ::EndDialog(m_hDlg, result); }

}  // namespace platform::testing
