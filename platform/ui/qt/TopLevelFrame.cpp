#include "platform/ui/qt/TopLevelFrame.h"

#include "platform/ui/qt/CaptionStrip.h"
#include "platform/ui/Window.h"

namespace platform {

TopLevelFrame::TopLevelFrame(HWND hwnd, bool withStrip) : QWidget(nullptr)
{
    TagWidget(this, hwnd);
    setAttribute(Qt::WA_DeleteOnClose, false);
    if (withStrip) {
        m_strip = new CaptionStrip(hwnd, this);
        m_strip->move(0, 0);
    }
}

int TopLevelFrame::StripHeight() const { return m_strip ? m_strip->height() : 0; }

void TopLevelFrame::SetClient(QWidget* client, int width, int height)
{
    m_client = client;
    SetClientSize(width, height);
}

void TopLevelFrame::SetClientSize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int strip = StripHeight();
    setFixedSize(width, height + strip);
    if (m_strip)
        m_strip->setGeometry(0, 0, width, strip);
    if (m_client)
        m_client->setGeometry(0, strip, width, height);
}

}  // namespace platform
