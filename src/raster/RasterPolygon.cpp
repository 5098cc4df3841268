#include "raster/RasterPolygon.h"

#include "raster/CRasterDC.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Integer edge walker: x at the current scanline, stepped one scanline at a time.
// 64-bit so that edges reaching far outside the surface cannot overflow.
struct CPolyEdge {
    int m_nYTop;
    int m_nYLast;  // last scanline the edge covers (its bottom row is excluded)
    bool m_bDown;  // drawn from top to bottom (counts +1 for the winding rule)
    std::int64_t x, d, m, m1, incr1, incr2, dy, r;

    void Init(std::int64_t height, std::int64_t x1, std::int64_t x2)
    {
        dy = height;
        x = x1;
        const std::int64_t dx = x2 - x1;
        m = dx / dy;  // truncated toward zero, which the step rules below rely on
        if (dx < 0) {
            m1 = m - 1;
            incr1 = -2 * dx + 2 * dy * m1;
            incr2 = -2 * dx + 2 * dy * m;
            d = 2 * m * dy - 2 * dx - 2 * dy;
            r = m * dy - dx;
        } else {
            m1 = m + 1;
            incr1 = 2 * dx - 2 * dy * m1;
            incr2 = 2 * dx - 2 * dy * m;
            d = -2 * m * dy + 2 * dx;
            r = dx - m * dy;
        }
    }
    void Step()
    {
        if (m1 > 0) {
            if (d > 0) { x += m1; d += incr1; }
            else { x += m; d += incr2; }
        } else {
            if (d >= 0) { x += m1; d += incr1; }
            else { x += m; d += incr2; }
        }
    }
    // The same as `k` calls of Step from the edge's start. The error term stays in
    // (r - dy, r] for an edge leaning right and in [r - dy, r) for one leaning left,
    // which fixes the number of carries in k steps: ceil(k r / dy) and floor(k r / dy).
    void Skip(std::int64_t k)
    {
        const __int128 kr = __int128(k) * r;
        if (m1 > 0) {
            const std::int64_t carries = std::int64_t((kr + dy - 1) / dy);
            x += k * m + carries;
            d = 2 * ((k + 1) * r - carries * dy);
        } else {
            const std::int64_t carries = std::int64_t(kr / dy);
            x += k * m - carries;
            d = 2 * ((k + 1) * r - dy - carries * dy);
        }
    }
    int X() const { return int(std::clamp<std::int64_t>(x, -0x7fffffff, 0x7fffffff)); }
};

} // namespace

void RasterFillPolygon(const CRasterTarget& target, const CPoint* pts, int count,
                       PolyFillMode mode, COLORREF color)
{
    if (count < 2) return;
    const CRect& clip = target.m_rcClip;
    if (clip.IsRectEmpty()) return;

    // An axis-aligned rectangle is taken as the rectangle it describes.
    if ((count == 4 || (count == 5 && pts[4] == pts[0])) &&
        ((pts[0].y == pts[1].y && pts[1].x == pts[2].x && pts[2].y == pts[3].y && pts[3].x == pts[0].x) ||
         (pts[0].x == pts[1].x && pts[1].y == pts[2].y && pts[2].x == pts[3].x && pts[3].y == pts[0].y))) {
        target.FillRect({std::min(pts[0].x, pts[2].x), std::min(pts[0].y, pts[2].y),
                         std::max(pts[0].x, pts[2].x), std::max(pts[0].y, pts[2].y)}, color);
        return;
    }

    // Most polygons are the quadrilaterals of wide-pen segments: their edges live on the
    // stack, so filling one allocates nothing.
    constexpr int kSmall = 16;
    CPolyEdge smallEdges[kSmall];
    CPolyEdge* smallActive[kSmall];
    std::vector<CPolyEdge> bigEdges;
    std::vector<CPolyEdge*> bigActive;
    CPolyEdge* edges = smallEdges;
    CPolyEdge** active = smallActive;
    if (count > kSmall) {
        bigEdges.resize(std::size_t(count));
        bigActive.resize(std::size_t(count));
        edges = bigEdges.data();
        active = bigActive.data();
    }

    int numEdges = 0;
    int yMin = 0x7fffffff, yMax = int(0x80000000u);
    for (int i = 0; i < count; ++i) {
        const CPoint& prev = pts[i == 0 ? count - 1 : i - 1];
        const CPoint& cur = pts[i];
        CPolyEdge e{};
        const CPoint *top, *bottom;
        if (prev.y > cur.y) { bottom = &prev; top = &cur; e.m_bDown = false; }
        else { bottom = &cur; top = &prev; e.m_bDown = true; }
        if (bottom->y == top->y) continue;
        if (top->y >= clip.bottom || bottom->y <= clip.top) continue;
        e.m_nYTop = top->y;
        e.m_nYLast = bottom->y - 1;
        e.Init(std::int64_t(bottom->y) - top->y, top->x, bottom->x);
        // Rows above the clip are never painted: start such an edge at the clip's top.
        if (top->y < clip.top) {
            e.Skip(std::int64_t(clip.top) - top->y);
            e.m_nYTop = clip.top;
        }
        edges[numEdges++] = e;
        yMin = std::min(yMin, e.m_nYTop);
        yMax = std::max(yMax, bottom->y);
    }
    if (numEdges == 0) return;
    // Edges enter the active list in order of their top scanline, and at equal tops in
    // order of x.
    auto enterBefore = [](const CPolyEdge& a, const CPolyEdge& b) {
        return a.m_nYTop != b.m_nYTop ? a.m_nYTop < b.m_nYTop : a.x < b.x;
    };
    if (numEdges <= kSmall) {
        for (int i = 1; i < numEdges; ++i)
            for (int j = i; j > 0 && enterBefore(edges[j], edges[j - 1]); --j) std::swap(edges[j], edges[j - 1]);
    } else {
        std::stable_sort(edges, edges + numEdges, enterBefore);
    }
    yMax = std::min(yMax, clip.bottom);

    int numActive = 0;
    int next = 0;
    const bool winding = mode == PolyFillMode::Winding;
    for (int y = yMin; y < yMax; ++y) {
        while (next < numEdges && edges[next].m_nYTop == y) {
            CPolyEdge* e = &edges[next++];
            int pos = 0;
            while (pos < numActive && active[pos]->x < e->x) ++pos;
            for (int k = numActive; k > pos; --k) active[k] = active[k - 1];
            active[pos] = e;
            ++numActive;
        }
        if (!winding) {
            for (int i = 0; i + 1 < numActive; i += 2)
                target.FillSpan(y, active[i]->X(), active[i + 1]->X(), color);
        } else {
            int wind = 0, start = 0;
            for (int i = 0; i < numActive; ++i) {
                const int before = wind;
                wind += active[i]->m_bDown ? 1 : -1;
                if (before == 0 && wind != 0) start = active[i]->X();
                else if (before != 0 && wind == 0) target.FillSpan(y, start, active[i]->X(), color);
            }
        }
        // Leave finished edges, step the others, and keep the list sorted by x (an edge
        // moves before the first one lying right of it).
        int kept = 0;
        for (int i = 0; i < numActive; ++i) {
            CPolyEdge* e = active[i];
            if (e->m_nYLast == y) continue;
            e->Step();
            active[kept++] = e;
        }
        numActive = kept;
        for (int i = 1; i < numActive; ++i) {
            CPolyEdge* e = active[i];
            int j = 0;
            while (j < i && active[j]->x <= e->x) ++j;
            if (j == i) continue;
            for (int k = i; k > j; --k) active[k] = active[k - 1];
            active[j] = e;
        }
    }
}
