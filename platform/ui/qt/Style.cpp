#include "platform/ui/qt/Style.h"

#include "platform/ui/WindowManager.h"

#include <QApplication>
#include <QFrame>
#include <QProxyStyle>

namespace platform {
namespace {

class PlatformStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return kScrollBarExtent;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

void UsePlatformStyle()
{
    static bool installed = false;
    if (installed || !qApp)
        return;
    installed = true;
    QApplication::setStyle(new PlatformStyle);   // the application owns it
}

void MatchFrame(QFrame* frame, const Window& w)
{
    const int border = BorderWidth(w);
    if (border == 0) {
        frame->setFrameStyle(QFrame::NoFrame);
        return;
    }
    const bool sunken = (w.exStyle & WS_EX_CLIENTEDGE) != 0;
    frame->setFrameStyle(sunken ? (QFrame::Panel | QFrame::Sunken) : (QFrame::Box | QFrame::Plain));
    frame->setLineWidth(border);
    frame->setMidLineWidth(0);
}

}  // namespace platform
