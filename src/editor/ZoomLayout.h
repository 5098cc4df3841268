#pragma once
// How big a document window is at a zoom factor, how far it scrolls, and where the screen
// boundaries fall in it. Plain arithmetic on the sign's size, shared by the window, the
// canvas view and their tests.

#include "raster/Geometry.h"

#include <vector>

// The largest canvas area a document window shows: 700 x 430 pixels, or 560 x 340 on a
// display whose work area is 640 pixels wide.
CSize VisibleAreaLimits(int workAreaWidth);

struct CZoomLayout {
    int m_nViewWidth = 0;   // pixels of canvas the window shows
    int m_nViewHeight = 0;
    bool m_bHScroll = false;  // the canvas is wider / taller than that
    bool m_bVScroll = false;
    int m_nFrameWidth = 0;  // the document window's size
    int m_nFrameHeight = 0;
};

// The window at zoom index `zoomIndex` for a sign of width x height dots and `screens`
// screens. A side that fits gets the canvas plus a 2-pixel edge on both sides; one that
// does not is cut to whole dots just past the limit and scrolls, and the other side then
// makes room for the scroll bar.
CZoomLayout ComputeZoomLayout(int width, int height, int screens, int zoomIndex, CSize limits,
                              int vScrollBarWidth, int hScrollBarHeight);
// A new document window, made at one pixel per dot: a side that does not fit is exactly
// the limit.
CZoomLayout ComputeCreationLayout(int width, int height, int screens, CSize limits,
                                  int vScrollBarWidth, int hScrollBarHeight);

struct CScrollSizes {
    CSize m_sizeTotal;
    CSize m_sizePage;
    CSize m_sizeLine;
};
// Scroll range in pixels at factor z: the canvas (2 pixels more on a scrolling side); a
// page of whole dots; a line a tenth of a page.
CScrollSizes ComputeScrollSizes(int width, int height, int screens, int z, const CZoomLayout& layout);

// A scroll position after a change of factor: the same dot stays at the top-left.
constexpr int RescaleScrollPosition(int position, int oldFactor, int newFactor)
{
    return oldFactor > 0 ? position / oldFactor * newFactor : position;
}
// A scroll position rounded down to whole dots.
constexpr int SnapToDot(int position, int z)
{
    return z > 0 ? position / z * z : position;
}

// Window rows (pixels) of the screen boundaries shown in a view scrolled to pixel row
// `scrollY` at factor z, `viewHeight` pixels high, for screens `screenHeight` dots high.
// A boundary at the top edge of the view gets no line.
std::vector<int> SeparatorRows(int scrollY, int z, int screenHeight, int viewHeight);
