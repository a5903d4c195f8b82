#include "platform/testing/Screenshot.h"

#include "platform/ui/Window.h"

#include <QImage>
#include <QSet>

namespace platform::testing {

Screenshot::Screenshot(HWND hwnd, int scale) : m_image(std::make_unique<QImage>())
{
    Window* w = LookupWindow(hwnd);
    QWidget* outer = w ? w->Outer() : nullptr;
    if (!outer || scale < 1)
        return;
    QImage image(outer->size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    outer->render(&image);
    *m_image = image;
}

Screenshot::~Screenshot() = default;
Screenshot::Screenshot(Screenshot&&) noexcept = default;
Screenshot& Screenshot::operator=(Screenshot&&) noexcept = default;

bool Screenshot::IsNull() const { return m_image->isNull(); }
int Screenshot::Width() const { return m_image->width(); }
int Screenshot::Height() const { return m_image->height(); }

COLORREF Screenshot::Pixel(int x, int y) const
{
    if (!m_image->valid(x, y))
        return CLR_INVALID;
    const QRgb c = m_image->pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

int Screenshot::DistinctColours() const
{
    QSet<QRgb> colours;
    for (int y = 0; y < m_image->height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(m_image->constScanLine(y));
        for (int x = 0; x < m_image->width(); ++x)
            colours.insert(line[x]);
    }
    return static_cast<int>(colours.size());
}

bool Screenshot::SavePng(const std::string& path) const
{
    return !m_image->isNull() && m_image->save(QString::fromStdString(path), "PNG");
}

const QImage& Screenshot::Image() const { return *m_image; }

}  // namespace platform::testing
