#include "platform/ui/qt/Screen.h"

#include "platform/ui/CrossProcess.h"
#include "platform/ui/qt/Accessibility.h"
#include "platform/ui/qt/EventBridge.h"

#include <QApplication>
#include <QByteArray>

#include <cstdlib>

namespace platform {

int DesktopScale()
{
    const QByteArray value = qgetenv("OWEBOOK_SCALE");
    bool ok = false;
    const int scale = value.trimmed().toInt(&ok);
    return (ok && scale >= 1 && scale <= 8) ? scale : 2;
}

CRect WorkArea() { return CRect(0, kCaptionStripHeight, kScreenWidth, kScreenHeight); }

void EnsureApplication(int argc, char** argv)
{
    if (!QApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
            qputenv("QT_SCALE_FACTOR", QByteArray::number(DesktopScale()));
        static int s_argc = 1;
        static char s_name[] = "platform";
        static char* s_argv[] = {s_name, nullptr};
        if (argc > 0 && argv) {
            s_argc = argc;
            new QApplication(s_argc, argv);   // lives as long as the process
        } else {
            new QApplication(s_argc, s_argv);
        }
        QApplication::setQuitOnLastWindowClosed(false);
    }
    EventBridge::Install();
    InstallAccessibility();
    InstallCrossProcessGlue();
}

}  // namespace platform
