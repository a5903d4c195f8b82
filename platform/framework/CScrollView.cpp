#include "platform/framework/CScrollView.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal);
    // The usual defaults: a tenth of the total per page, a tenth of a page per line.
    m_pageDev = sizePage.cx || sizePage.cy ? CSize(sizePage) : CSize(sizeTotal.cx / 10, sizeTotal.cy / 10);
    m_lineDev = sizeLine.cx || sizeLine.cy ? CSize(sizeLine) : CSize(m_pageDev.cx / 10, m_pageDev.cy / 10);
}
