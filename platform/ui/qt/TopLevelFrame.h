#pragma once
// The desktop window of a top-level window: the caption strip above the
// window's own client widget. Its size is fixed: the handheld's windows do not
// resize.

#include "platform/ui/WinUser.h"

#include <QWidget>

namespace platform {

class CaptionStrip;

class TopLevelFrame : public QWidget {
public:
    TopLevelFrame(HWND hwnd, bool withStrip);
    CaptionStrip* Strip() const { return m_strip; }
    // Places the client widget and sizes the desktop window around it.
    void SetClient(QWidget* client, int width, int height);
    void SetClientSize(int width, int height);
    int StripHeight() const;

private:
    CaptionStrip* m_strip = nullptr;
    QWidget* m_client = nullptr;
};

}  // namespace platform
