#include "platform/ui/MessageBox.h"

#include "platform/system/sound/Sound.h"
#include "platform/ui/MessageBoxDialog.h"
#include "platform/ui/WinApi.h"

#include <QApplication>
#include <QCoreApplication>

namespace platform {
namespace {

CString& Title()
{
    static CString title;
    return title;
}

BeepHandler& Beeper()
{
    static BeepHandler handler;
    return handler;
}

}  // namespace

void SetAppTitle(const CString& title) { Title() = title; }

CString AppTitle()
{
    if (!Title().IsEmpty())
        return Title();
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? CString(u"Error") : CString(name.toUtf8().constData());
}

void SetBeepHandler(BeepHandler handler) { Beeper() = std::move(handler); }

}  // namespace platform

int MessageBox(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    CWnd* owner = hWnd ? CWnd::FromHandle(hWnd) : nullptr;
    if (hWnd && !owner)
        return 0;   // a stale owner
    const CString caption = lpCaption ? CString(lpCaption) : CString(u"Error");
    platform::MessageBoxDialog dialog(owner, CString(lpText), caption, uType);
    const INT_PTR result = dialog.Run();
    return result < 0 ? 0 : static_cast<int>(result);
}

BOOL MessageBeep(UINT uType)
{
    if (platform::Beeper())
        platform::Beeper()(uType);
    else
        platform::PlayBeepSound(uType);
    return TRUE;
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT /*nIDHelp*/)
{
    return ::MessageBox(::GetActiveWindow(), lpszText, platform::AppTitle(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}
