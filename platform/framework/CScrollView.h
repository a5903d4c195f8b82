#pragma once
// A view with a logical size. The handheld's forms fit the screen; the sizes
// are kept for the program to read back, and nothing scrolls.

#include "platform/framework/CView.h"
#include "platform/gdi/CSize.h"

constexpr int MM_TEXT = 1;

class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = SIZE{0, 0},
                        const SIZE& sizeLine = SIZE{0, 0});
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }

protected:
    CScrollView() = default;

    int m_nMapMode = 0;
    CSize m_totalLog{0, 0};
    CSize m_pageDev{0, 0};
    CSize m_lineDev{0, 0};
};
