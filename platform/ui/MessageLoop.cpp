#include "platform/ui/MessageLoop.h"

#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include <vector>

namespace platform {
namespace {

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kPostedQuit = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedEvent : public QEvent {
public:
    PostedEvent(Type type, MSG msg) : QEvent(type), m_msg(msg) {}
    const MSG& Msg() const { return m_msg; }

private:
    MSG m_msg;
};

struct QuitState {
    bool pending = false;
    int code = 0;
};

QuitState& Quit()
{
    static QuitState quit;
    return quit;
}

std::vector<QEventLoop*>& Loops()
{
    static std::vector<QEventLoop*> loops;
    return loops;
}

void ExitAllLoops()
{
    for (QEventLoop* loop : Loops())
        loop->exit(0);
}

class Dispatcher : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == kPostedMessage) {
            const MSG& msg = static_cast<PostedEvent*>(e)->Msg();
            if (msg.hwnd && ::IsWindow(msg.hwnd))
                ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            return true;
        }
        if (e->type() == kPostedQuit) {
            Quit().pending = true;
            Quit().code = static_cast<int>(static_cast<PostedEvent*>(e)->Msg().wParam);
            ExitAllLoops();
            return true;
        }
        return QObject::event(e);
    }
};

Dispatcher* TheDispatcher()
{
    EnsureApplication();
    static Dispatcher* dispatcher = new Dispatcher;   // lives as long as the application
    return dispatcher;
}

}  // namespace

int MessageLoop::Run()
{
    RunModal([] { return false; });
    int code = Quit().code;
    ResetQuit();
    return code;
}

BOOL MessageLoop::RunModal(const std::function<bool()>& ended)
{
    TheDispatcher();
    while (!Quit().pending && !ended()) {
        QEventLoop loop;
        Loops().push_back(&loop);
        loop.exec(QEventLoop::AllEvents);
        Loops().pop_back();
    }
    return Quit().pending ? FALSE : TRUE;
}

BOOL MessageLoop::PumpMessage()
{
    TheDispatcher();
    if (!Quit().pending)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return Quit().pending ? FALSE : TRUE;
}

void MessageLoop::ProcessPending()
{
    TheDispatcher();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MessageLoop::Wake()
{
    if (!Loops().empty())
        Loops().back()->exit(0);
}

BOOL MessageLoop::Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd || !::IsWindow(hwnd))
        return FALSE;
    QCoreApplication::postEvent(TheDispatcher(), new PostedEvent(kPostedMessage, MSG{hwnd, message, wParam, lParam, 0, {0, 0}}));
    return TRUE;
}

void MessageLoop::PostQuit(int exitCode)
{
    // Low priority: as on the handheld, the quit comes after the messages
    // already posted.
    QCoreApplication::postEvent(TheDispatcher(),
                                new PostedEvent(kPostedQuit, MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, 0, {0, 0}}),
                                Qt::LowEventPriority);
}

bool MessageLoop::QuitPending(int* exitCode)
{
    if (exitCode && Quit().pending)
        *exitCode = Quit().code;
    return Quit().pending;
}

void MessageLoop::ResetQuit()
{
    Quit() = QuitState{};
    if (QCoreApplication::instance())
        QCoreApplication::removePostedEvents(TheDispatcher(), kPostedQuit);
}

int MessageLoop::Depth() { return static_cast<int>(Loops().size()); }

}  // namespace platform
