#include "raster/RasterBezier.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kShiftBits = 4;
constexpr int kPixel = 1 << kShiftBits;
constexpr int kMaxDepth = 8;

// Coordinates beyond 27 bits would overflow the fixed point; GDI does not support them.
int ShiftUp(int v) { return std::clamp(v, -(1 << 24), 1 << 24) * kPixel; }
int ShiftDown(int v) { return (v + (1 << (kShiftBits - 1))) >> kShiftBits; }  // arithmetic shift
CPoint Middle(CPoint a, CPoint b) { return {(a.x + b.x + 1) / 2, (a.y + b.y + 1) / 2}; }

// True when the curve may be drawn as its chord: both control points lie between the
// end points along the major axis and within a pixel of the chord across it.
bool IsFlat(const CPoint* p)
{
    int dx = p[3].x - p[0].x;
    int dy = p[3].y - p[0].y;
    if (std::abs(dy) <= std::abs(dx)) {
        for (int i = 1; i <= 2; ++i) {
            if (p[i].x < p[0].x) { if (p[i].x < p[3].x) return false; }
            else if (p[i].x > p[3].x) return false;
        }
        dx = ShiftDown(dx);
        if (!dx) return true;
        return !(std::abs(p[1].y - p[0].y - (dy / dx) * ShiftDown(p[1].x - p[0].x)) > kPixel ||
                 std::abs(p[2].y - p[0].y - (dy / dx) * ShiftDown(p[2].x - p[0].x)) > kPixel);
    }
    for (int i = 1; i <= 2; ++i) {
        if (p[i].y < p[0].y) { if (p[i].y < p[3].y) return false; }
        else if (p[i].y > p[3].y) return false;
    }
    dy = ShiftDown(dy);
    if (!dy) return true;
    return !(std::abs(p[1].x - p[0].x - (dx / dy) * ShiftDown(p[1].y - p[0].y)) > kPixel ||
             std::abs(p[2].x - p[0].x - (dx / dy) * ShiftDown(p[2].y - p[0].y)) > kPixel);
}

void Subdivide(CPoint* p, std::vector<CPoint>& out, int level)
{
    if (!level || IsFlat(p)) {
        if (out.empty()) out.push_back({ShiftDown(p[0].x), ShiftDown(p[0].y)});
        out.push_back({ShiftDown(p[3].x), ShiftDown(p[3].y)});
        return;
    }
    CPoint q[4];
    q[3] = p[3];
    q[2] = Middle(p[2], p[3]);
    q[0] = Middle(p[1], p[2]);
    q[1] = Middle(q[0], q[2]);
    p[1] = Middle(p[0], p[1]);
    p[2] = Middle(p[1], q[0]);
    p[3] = Middle(p[2], q[1]);
    q[0] = p[3];
    Subdivide(p, out, level - 1);
    Subdivide(q, out, level - 1);
}

} // namespace

std::vector<CPoint> FlattenBezier(const CPoint* points, int count)
{
    std::vector<CPoint> out;
    if (count < 4 || (count - 1) % 3 != 0) return out;
    for (int k = 0; k < (count - 1) / 3; ++k) {
        CPoint p[4];
        for (int i = 0; i < 4; ++i) p[i] = {ShiftUp(points[3 * k + i].x), ShiftUp(points[3 * k + i].y)};
        Subdivide(p, out, kMaxDepth);
    }
    return out;
}
