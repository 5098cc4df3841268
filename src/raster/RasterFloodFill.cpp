#include "raster/RasterFloodFill.h"

#include <cstdint>

void FloodFillArea(const CRasterTarget& target, CPoint seed, COLORREF surfaceColor,
                   std::vector<CRowSpan>& rows)
{
    const CRect& clip = target.m_rcClip;
    if (!clip.PtInRect(seed)) return;
    const CRasterSurface& surface = target.m_surface;
    if (surface.Row(seed.y)[seed.x] != surfaceColor) return;

    // The area is found before anything is painted, so a fill colour equal to the
    // surface colour cannot make the walk run forever; `seen` marks pixels taken.
    const int w = clip.Width();
    std::vector<std::uint8_t> seen(std::size_t(w) * std::size_t(clip.Height()), 0);
    auto inside = [&](int x, int y) {
        return surface.Row(y)[x] == surfaceColor && !seen[std::size_t(y - clip.top) * std::size_t(w) + std::size_t(x - clip.left)];
    };
    std::vector<CPoint> stack{seed};
    while (!stack.empty()) {
        const CPoint p = stack.back();
        stack.pop_back();
        if (!inside(p.x, p.y)) continue;
        int x0 = p.x, x1 = p.x + 1;
        while (x0 > clip.left && inside(x0 - 1, p.y)) --x0;
        while (x1 < clip.right && inside(x1, p.y)) ++x1;
        std::uint8_t* mark = &seen[std::size_t(p.y - clip.top) * std::size_t(w)];
        for (int x = x0; x < x1; ++x) mark[x - clip.left] = 1;
        rows.push_back({p.y, x0, x1});
        for (int ny : {p.y - 1, p.y + 1}) {
            if (ny < clip.top || ny >= clip.bottom) continue;
            bool inRun = false;
            for (int x = x0; x < x1; ++x) {
                const bool in = inside(x, ny);
                if (in && !inRun) stack.push_back({x, ny});
                inRun = in;
            }
        }
    }
}
