#include "raster/RasterEllipse.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

// Both walks below are Alois Zingl's integer ellipse algorithm, in the form GDI's
// drawing and region code use it, so that outlines and fills agree with it pixel for pixel.
void EllipseFirstQuadrant(int width, int height, std::vector<CPoint>& out)
{
    const std::int64_t a = width - 1;
    const std::int64_t b = height - 1;
    const std::int64_t asq = 8 * a * a;
    const std::int64_t bsq = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + (b % 2));
    std::int64_t err = dx + dy + a * a * (b % 2);
    CPoint pt(int(a), height / 2);
    while (pt.x >= width / 2) {
        const std::int64_t e2 = 2 * err;
        out.push_back(pt);
        if (e2 >= dx) { pt.x--; err += dx += bsq; }
        if (e2 <= dy) { pt.y++; err += dy += asq; }
    }
}

std::vector<CPoint> RoundRectOutline(const CRect& rect, int ew, int eh)
{
    std::vector<CPoint> quadrant;
    quadrant.reserve(std::size_t(ew + eh));
    EllipseFirstQuadrant(ew, eh, quadrant);
    const int count = int(quadrant.size());

    std::vector<CPoint> pts(std::size_t(4 * count));
    for (int i = 0; i < count; ++i)
        pts[i] = {rect.right - ew + quadrant[i].x, rect.top + eh - 1 - quadrant[i].y};

    // Mirror to the left, then to the bottom, each time in reverse order so the outline
    // runs round. A full-width (or full-height) odd ellipse shares its middle point.
    int n = count;
    int end = 2 * n - 1;
    if (ew % 2 && ew == rect.right - rect.left) end--;
    for (int i = 0; i < n; ++i) pts[end - i] = {rect.left + rect.right - 1 - pts[i].x, pts[i].y};
    n = end + 1;
    end = 2 * n - 1;
    if (eh % 2 && eh == rect.bottom - rect.top) end--;
    for (int i = 0; i < n; ++i) pts[end - i] = {pts[i].x, rect.top + rect.bottom - 1 - pts[i].y};
    pts.resize(std::size_t(end + 1));
    return pts;
}

void RoundRectRegionRows(int left, int top, int right, int bottom, int ew, int eh,
                         std::vector<CRowSpan>& out, int rowMin, int rowMax)
{
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    right--;
    bottom--;
    ew = std::min(right - left, std::abs(ew));
    eh = std::min(bottom - top, std::abs(eh));
    if (ew < 2 || eh < 2) {
        if (left < right)
            for (int y = std::max(top, rowMin); y < std::min(bottom, rowMax); ++y) out.push_back({y, left, right});
        return;
    }

    // Left and right indent of each row of the corner ellipse, from its middle row down.
    std::vector<int> indent(std::size_t(eh), -1);
    const std::int64_t a = ew - 1;
    const std::int64_t b = eh - 1;
    const std::int64_t asq = 8 * a * a;
    const std::int64_t bsq = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + (b % 2));
    std::int64_t err = dx + dy + a * a * (b % 2);
    int x = 0, y = eh / 2;
    indent[std::size_t(y)] = 0;
    while (x <= ew / 2) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) { x++; err += dx += bsq; }
        if (e2 <= dy) {
            y++;
            err += dy += asq;
            if (y < eh) indent[std::size_t(y)] = x;
        }
    }
    // A narrow, tall corner ellipse (3 to 5 wide) ends the walk before its last rows.
    // They stay empty, as the outline of such an ellipse stops short of them as well, so
    // the fill never shows outside the outline.
    auto addRow = [&](int row, int in) {
        if (row >= rowMin && row < rowMax && in >= 0 && left + in < right - in)
            out.push_back({row, left + in, right - in});
    };
    for (int i = 0; i < eh / 2; ++i) addRow(top + i, indent[std::size_t(b - i)]);
    // The middle row stretches over the straight sides down to the lower corners.
    const int midLast = std::min(bottom - eh + eh / 2, rowMax - 1);
    for (int row = std::max(top + eh / 2, rowMin); row <= midLast; ++row) addRow(row, 0);
    for (int i = eh / 2 + 1; i < eh; ++i) addRow(bottom - eh + i, indent[std::size_t(i)]);
}
