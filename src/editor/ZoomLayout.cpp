#include "editor/ZoomLayout.h"

#include "app/EditorState.h"

CSize VisibleAreaLimits(int workAreaWidth)
{
    return workAreaWidth == 640 ? CSize(560, 340) : CSize(700, 430);
}

namespace {

CZoomLayout Layout(int width, int height, int screens, int z, int zoomIndex, bool atCreation,
                   CSize limits, int vScrollBarWidth, int hScrollBarHeight)
{
    CZoomLayout l;
    const long long canvasWidth = static_cast<long long>(width) * z;
    const long long canvasHeight = static_cast<long long>(height) * screens * z;
    if (canvasWidth <= limits.cx) {
        l.m_nViewWidth = int(canvasWidth);
        l.m_nFrameWidth = l.m_nViewWidth + 4;
    } else {
        l.m_bHScroll = true;
        l.m_nViewWidth = l.m_nFrameWidth = atCreation ? limits.cx : (limits.cx / z + 1) * z - zoomIndex;
    }
    if (canvasHeight <= limits.cy) {
        l.m_nViewHeight = int(canvasHeight);
        l.m_nFrameHeight = l.m_nViewHeight + 4;
    } else {
        l.m_bVScroll = true;
        l.m_nViewHeight = l.m_nFrameHeight = atCreation ? limits.cy : (limits.cy / z + 1) * z - zoomIndex;
    }
    // The other side makes room for a scroll bar; with both or neither nothing is added.
    if (l.m_bHScroll && !l.m_bVScroll) l.m_nFrameHeight += hScrollBarHeight + 1;
    if (l.m_bVScroll && !l.m_bHScroll) l.m_nFrameWidth += vScrollBarWidth + 1;
    return l;
}

}  // namespace

CZoomLayout ComputeZoomLayout(int width, int height, int screens, int zoomIndex, CSize limits,
                              int vScrollBarWidth, int hScrollBarHeight)
{
    return Layout(width, height, screens, ZoomFactor(zoomIndex), zoomIndex, false, limits,
                  vScrollBarWidth, hScrollBarHeight);
}

CZoomLayout ComputeCreationLayout(int width, int height, int screens, CSize limits,
                                  int vScrollBarWidth, int hScrollBarHeight)
{
    return Layout(width, height, screens, 1, 0, true, limits, vScrollBarWidth, hScrollBarHeight);
}

CScrollSizes ComputeScrollSizes(int width, int height, int screens, int z, const CZoomLayout& layout)
{
    CScrollSizes s;
    s.m_sizeTotal = CSize(width * z + (layout.m_bHScroll ? 2 : 0),
                          height * screens * z + (layout.m_bVScroll ? 2 : 0));
    s.m_sizePage = CSize(SnapToDot(layout.m_nViewWidth, z), SnapToDot(layout.m_nViewHeight, z));
    s.m_sizeLine = CSize(s.m_sizePage.cx / 10, s.m_sizePage.cy / 10);
    return s;
}

std::vector<int> SeparatorRows(int scrollY, int z, int screenHeight, int viewHeight)
{
    std::vector<int> rows;
    if (z <= 0 || screenHeight <= 0) return rows;
    const int step = screenHeight * z;
    for (int y = (screenHeight - (scrollY / z) % screenHeight) * z; y < viewHeight; y += step)
        rows.push_back(y);
    return rows;
}
