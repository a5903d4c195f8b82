#include "platform/ui/UiState.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

namespace platform {

PaintScope::~PaintScope() = default;

UiState& Ui()
{
    static auto* state = new UiState;   // never destroyed: handles may be used during exit
    return *state;
}

bool OnUiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

}  // namespace platform
