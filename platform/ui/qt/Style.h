#pragma once
// The handheld's metrics in Qt's style (platform internal): a scroll bar is
// as wide as GetSystemMetrics says, so the client areas the platform reports
// are what Qt lays out.

class QFrame;

namespace platform {

struct Window;

// Installs the style once, when the first window is made.
void UsePlatformStyle();
// Gives a control's Qt frame the window's border: as wide as BorderWidth,
// sunken for WS_EX_CLIENTEDGE.
void MatchFrame(QFrame* frame, const Window& w);

}  // namespace platform
