#include "raster/RasterWidePen.h"

#include "raster/CRasterDC.h"
#include "raster/RasterEllipse.h"
#include "raster/RasterPolygon.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class CWideStroker {
public:
    CWideStroker(const CRasterTarget& target, int width, COLORREF color)
        : m_target(target), m_nWidth(width), m_crColor(color)
    {
        RoundRectRegionRows(-(width / 2), -(width / 2), (width + 1) / 2 + 1, (width + 1) / 2 + 1,
                            (width + 1) / 2 + 1 + width / 2, (width + 1) / 2 + 1 + width / 2, m_aDot);
    }

    void Dot(CPoint p) const
    {
        for (const CRowSpan& s : m_aDot) m_target.FillSpan(p.y + s.y, p.x + s.x0, p.x + s.x1, m_crColor);
    }

    // False for an empty segment, which draws nothing.
    bool Segment(CPoint p1, CPoint p2) const
    {
        const int dx = p2.x - p1.x, dy = p2.y - p1.y;
        if (dx == 0 && dy == 0) return false;
        if (dy == 0) {
            const int top = p1.y - m_nWidth / 2;
            m_target.FillRect({std::min(p1.x, p2.x), top, std::max(p1.x, p2.x), top + m_nWidth}, m_crColor);
            return true;
        }
        if (dx == 0) {
            const int left = p1.x - m_nWidth / 2;
            m_target.FillRect({left, std::min(p1.y, p2.y), left + m_nWidth, std::max(p1.y, p2.y)}, m_crColor);
            return true;
        }
        const double len = std::hypot(double(dx), double(dy));
        const double widthX = double(m_nWidth) * std::abs(dy) / len;
        const double widthY = double(m_nWidth) * std::abs(dx) / len;
        CPoint narrow(Round(widthX / 2), Round(widthY / 2));
        CPoint wide(Round((widthX + 1) / 2), Round((widthY + 1) / 2));
        if (dx < 0) {
            wide.y = -wide.y;
            narrow.y = -narrow.y;
        }
        if (dy < 0) {
            std::swap(narrow, wide);
            wide.x = -wide.x;
            narrow.x = -narrow.x;
        }
        const CPoint quad[4] = {{p1.x - narrow.x, p1.y + narrow.y}, {p1.x + wide.x, p1.y - wide.y},
                                {p2.x + wide.x, p2.y - wide.y}, {p2.x - narrow.x, p2.y + narrow.y}};
        RasterFillPolygon(m_target, quad, 4, PolyFillMode::Alternate, m_crColor);
        return true;
    }

private:
    // Half away from zero, then truncated, as the stroker's integer corners need.
    static int Round(double f) { return int(f > 0 ? f + 0.5 : f - 0.5); }

    const CRasterTarget& m_target;
    int m_nWidth;
    COLORREF m_crColor;
    std::vector<CRowSpan> m_aDot;
};

} // namespace

void RasterWideLines(const CRasterTarget& target, const CPoint* pts, int num, bool close, int width,
                     COLORREF color)
{
    if (num < 2) return;
    // Empty segments at either end do not count.
    while (num > 2 && pts[0] == pts[1]) { ++pts; --num; }
    while (num > 2 && pts[num - 1] == pts[num - 2]) --num;

    const CWideStroker stroker(target, width, color);
    const int count = close ? num : num - 1;
    const CPoint& first = pts[0];
    const CPoint& last = close ? pts[0] : pts[num - 1];
    if (!close) {
        stroker.Dot(first);
        stroker.Dot(last);
    }
    if (count == 1) {
        stroker.Segment(first, last);
        return;
    }
    stroker.Segment(first, pts[1 % num]);
    for (int i = 1; i < count - 1; ++i) {
        const CPoint& p1 = pts[i % num];
        const CPoint& p2 = pts[(i + 1) % num];
        if (stroker.Segment(p1, p2)) stroker.Dot(p1);
    }
    const CPoint& p1 = pts[(count - 1) % num];
    stroker.Segment(p1, last);
    stroker.Dot(p1);
    if (close) stroker.Dot(last);
}
