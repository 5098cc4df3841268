#include "raster/RasterLine.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Octants are numbered clockwise from the positive x axis (y grows downward), 1..8,
// and carried as one bit each so that the properties below are mask tests.
constexpr unsigned kYIncreasing = 0x0f;
constexpr unsigned kXIncreasing = 0xc3;
constexpr unsigned kXMajor = 0x99;
constexpr unsigned kPosSlope = 0x33;
// Octants 3, 5, 6 and 8 step on a tie one pixel later than the others, which makes a
// line and the same line drawn backwards cover the same pixels.
constexpr unsigned kBiased = 0xb4;

unsigned OctantMask(int dx, int dy)
{
    int n;
    if (dy > 0) n = dx > 0 ? (dx > dy ? 1 : 2) : (-dx > dy ? 4 : 3);
    else n = dx < 0 ? (-dx > -dy ? 5 : 6) : (dx > -dy ? 8 : 7);
    return 1u << (n - 1);
}

enum : unsigned { kOutLeft = 1, kOutRight = 2, kOutTop = 4, kOutBottom = 8 };

unsigned OutCode(CPoint p, const CRect& clip)
{
    unsigned out = 0;
    if (p.x < clip.left) out |= kOutLeft;
    else if (p.x >= clip.right) out |= kOutRight;
    if (p.y < clip.top) out |= kOutTop;
    else if (p.y >= clip.bottom) out |= kOutBottom;
    return out;
}

// Very distant points are scaled down so that the error terms cannot overflow.
CPoint CropCoords(CPoint p)
{
    if (p.x >= 0x10000000 || p.x <= -0x10000000 || p.y >= 0x10000000 || p.y <= -0x10000000)
        return {p.x / 8, p.y / 8};
    return p;
}

struct BresClip {
    std::int64_t dx, dy;
    unsigned octant;
    int bias;
};

// Moves the end points onto the first and last pixel of the Bresenham walk that lie in
// `clip` (both ends treated alike). 0: nothing visible, 1: clipped, 2: unclipped.
int ClipLine(CPoint start, CPoint end, const CRect& clip, const BresClip& p, CPoint& pt1, CPoint& pt2)
{
    const std::int64_t bias = p.bias, dx = p.dx, dy = p.dy, twoDx = 2 * p.dx, twoDy = 2 * p.dy;
    const bool xMajor = (p.octant & kXMajor) != 0;
    const bool negSlope = (p.octant & kPosSlope) == 0;
    bool clipped = false;
    pt1 = start;
    pt2 = end;
    unsigned startOc = OutCode(start, clip), endOc = OutCode(end, clip);
    for (;;) {
        if (startOc == 0 && endOc == 0) return clipped ? 1 : 2;
        if (startOc & endOc) return 0;
        clipped = true;
        std::int64_t m, n;
        if (startOc & kOutLeft) {
            m = clip.left - start.x;
            n = xMajor ? (m * twoDy + bias + dx - 1) / twoDx : (m * twoDy - bias - dy) / twoDx + 1;
            pt1.x = clip.left;
            if (negSlope) n = -n;
            pt1.y = int(start.y + n);
            startOc = OutCode(pt1, clip);
        } else if (startOc & kOutRight) {
            m = start.x - clip.right + 1;
            n = xMajor ? (m * twoDy + bias + dx - 1) / twoDx : (m * twoDy - bias - dy) / twoDx + 1;
            pt1.x = clip.right - 1;
            if (negSlope) n = -n;
            pt1.y = int(start.y - n);
            startOc = OutCode(pt1, clip);
        } else if (startOc & kOutTop) {
            n = clip.top - start.y;
            m = xMajor ? (n * twoDx - bias - dx) / twoDy + 1 : (n * twoDx + bias + dy - 1) / twoDy;
            pt1.y = clip.top;
            if (negSlope) m = -m;
            pt1.x = int(start.x + m);
            startOc = OutCode(pt1, clip);
        } else if (startOc & kOutBottom) {
            n = start.y - clip.bottom + 1;
            m = xMajor ? (n * twoDx - bias - dx) / twoDy + 1 : (n * twoDx + bias + dy - 1) / twoDy;
            pt1.y = clip.bottom - 1;
            if (negSlope) m = -m;
            pt1.x = int(start.x - m);
            startOc = OutCode(pt1, clip);
        } else if (endOc & kOutLeft) {
            m = clip.left - end.x;
            n = xMajor ? (m * twoDy - bias + dx) / twoDx : (m * twoDy + bias - dy - 1) / twoDx + 1;
            pt2.x = clip.left;
            if (negSlope) n = -n;
            pt2.y = int(end.y + n);
            endOc = OutCode(pt2, clip);
        } else if (endOc & kOutRight) {
            m = end.x - clip.right + 1;
            n = xMajor ? (m * twoDy - bias + dx) / twoDx : (m * twoDy + bias - dy - 1) / twoDx + 1;
            pt2.x = clip.right - 1;
            if (negSlope) n = -n;
            pt2.y = int(end.y - n);
            endOc = OutCode(pt2, clip);
        } else if (endOc & kOutTop) {
            n = clip.top - end.y;
            m = xMajor ? (n * twoDx + bias - dx - 1) / twoDy + 1 : (n * twoDx - bias + dy) / twoDy;
            pt2.y = clip.top;
            if (negSlope) m = -m;
            pt2.x = int(end.x + m);
            endOc = OutCode(pt2, clip);
        } else if (endOc & kOutBottom) {
            n = end.y - clip.bottom + 1;
            m = xMajor ? (n * twoDx + bias - dx - 1) / twoDy + 1 : (n * twoDx - bias + dy) / twoDy;
            pt2.y = clip.bottom - 1;
            if (negSlope) m = -m;
            pt2.x = int(end.x - m);
            endOc = OutCode(pt2, clip);
        }
    }
}

} // namespace

void RasterThinLine(const CRasterTarget& target, CPoint from, CPoint to, COLORREF color)
{
    if (from.y == to.y) {
        // The start pixel is drawn, the end pixel is not, whichever way the line runs.
        int left = from.x, right = to.x;
        if (left > right) { const int t = left + 1; left = right + 1; right = t; }
        target.FillRect({left, from.y, right, from.y + 1}, color);
        return;
    }
    if (from.x == to.x) {
        int top = from.y, bottom = to.y;
        if (top > bottom) { const int t = top + 1; top = bottom + 1; bottom = t; }
        target.FillRect({from.x, top, from.x + 1, bottom}, color);
        return;
    }

    const CPoint p1 = CropCoords(from), p2 = CropCoords(to);
    const int dx = p2.x - p1.x, dy = p2.y - p1.y;
    BresClip clip;
    clip.dx = std::llabs(dx);
    clip.dy = std::llabs(dy);
    clip.octant = OctantMask(dx, dy);
    clip.bias = (clip.octant & kBiased) ? 1 : 0;
    const bool xMajor = (clip.octant & kXMajor) != 0;
    const int xInc = (clip.octant & kXIncreasing) ? 1 : -1;
    const int yInc = (clip.octant & kYIncreasing) ? 1 : -1;
    std::int64_t errAdd1, errAdd2;
    if (xMajor) { errAdd1 = 2 * clip.dy - 2 * clip.dx; errAdd2 = 2 * clip.dy; }
    else { errAdd1 = 2 * clip.dx - 2 * clip.dy; errAdd2 = 2 * clip.dx; }

    CRect box{std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x) + 1,
              std::max(p1.y, p2.y) + 1};
    CRect visible;
    if (!visible.IntersectRect(box, target.m_rcClip)) return;

    CPoint start, end;
    if (!ClipLine(p1, p2, visible, clip, start, end)) return;
    const std::int64_t m = std::llabs(std::int64_t(start.x) - p1.x);
    const std::int64_t n = std::llabs(std::int64_t(start.y) - p1.y);
    std::int64_t err, len;
    if (xMajor) {
        err = 2 * clip.dy - clip.dx + m * 2 * clip.dy - n * 2 * clip.dx;
        len = std::llabs(std::int64_t(end.x) - start.x) + 1;
    } else {
        err = 2 * clip.dx - clip.dy + n * 2 * clip.dx - m * 2 * clip.dy;
        len = std::llabs(std::int64_t(end.y) - start.y) + 1;
    }
    if (end == p2) --len;

    int x = start.x, y = start.y;
    const int bias = clip.bias;
    if (xMajor) {
        while (len-- > 0) {
            target.Plot(x, y, color);
            if (err + bias > 0) { y += yInc; err += errAdd1; }
            else err += errAdd2;
            x += xInc;
        }
    } else {
        while (len-- > 0) {
            target.Plot(x, y, color);
            if (err + bias > 0) { x += xInc; err += errAdd1; }
            else err += errAdd2;
            y += yInc;
        }
    }
}

void RasterThinLines(const CRasterTarget& target, const CPoint* points, int count, bool close,
                     COLORREF color)
{
    for (int i = 0; i + 1 < count; ++i) RasterThinLine(target, points[i], points[i + 1], color);
    if (close && count >= 2) RasterThinLine(target, points[count - 1], points[0], color);
}
