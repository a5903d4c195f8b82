#pragma once
// A picture of a window as the desktop shows it (a top-level window with its
// caption strip), rendered at a chosen scale independent of the screen's.

#include "platform/ui/WinUser.h"

#include <memory>
#include <string>

class QImage;

namespace platform::testing {

class Screenshot {
public:
    Screenshot(HWND hwnd, int scale);
    ~Screenshot();
    Screenshot(Screenshot&&) noexcept;
    Screenshot& operator=(Screenshot&&) noexcept;

    bool IsNull() const;
    int Width() const;    // device pixels: the window's size times the scale
    int Height() const;
    COLORREF Pixel(int x, int y) const;
    int DistinctColours() const;
    bool SavePng(const std::string& path) const;
    const QImage& Image() const;

private:
    std::unique_ptr<QImage> m_image;
};

}  // namespace platform::testing
