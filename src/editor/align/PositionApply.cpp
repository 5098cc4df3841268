#include "editor/align/PositionApply.h"

#include "document/CDrawObj.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "app/EditorState.h"

#include <cctype>
#include <climits>

namespace {

// The smaller edge moves to `start`, the larger keeps the distance.
void PlaceStart(int& lo, int& hi, int start, int extent)
{
    if (lo <= hi) {
        lo = start;
        hi = start + extent;
    } else {
        hi = start;
        lo = start + extent;
    }
}

// The larger edge becomes smaller + extent.
void SetExtent(int& lo, int& hi, int extent)
{
    if (lo <= hi) hi = lo + extent;
    else lo = hi + extent;
}

}  // namespace

int ReadPositionNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;  // a silly number, not a wrap
    }
    return int(negative ? -value : value);
}

bool ApplyPosition(const std::vector<CDrawObj*>& selection, const CPositionValues& values,
                   IDrawView* view)
{
    const int x = ReadPositionNumber(values.m_szX);
    const int y = ReadPositionNumber(values.m_szY);
    const int width = ReadPositionNumber(values.m_szWidth);
    const int height = ReadPositionNumber(values.m_szHeight);
    bool changed = false;
    for (CDrawObj* obj : selection) {
        const CRect n = obj->m_rcPosition.Normalized();
        CRect r = obj->m_rcPosition;
        auto* stroke = dynamic_cast<CStroke*>(obj);
        if (values.m_bX) PlaceStart(r.left, r.right, x, n.right - n.left);
        if (values.m_bY) PlaceStart(r.top, r.bottom, y, n.bottom - n.top);
        if (!stroke && values.m_bWidth) SetExtent(r.left, r.right, width);
        if (!stroke && values.m_bHeight) SetExtent(r.top, r.bottom, height);
        if (r == obj->m_rcPosition) continue;
        changed = true;
        if (!stroke) {
            obj->MoveToRect(r, view, false);
            continue;
        }
        // A stroke draws from its points: they move with its start.
        const int dx = values.m_bX ? x - n.left : 0;
        const int dy = values.m_bY ? y - n.top : 0;
        for (CPoint& p : stroke->m_aPoints) p = {p.x + dx, p.y + dy};
        stroke->m_rcBounds.OffsetRect(dx, dy);
        CRect area;
        area.UnionRect(obj->m_rcPosition.Normalized(), r.Normalized());
        area.InflateRect(1, 1);
        CRect joined;
        joined.UnionRect(g_rcUpdate.Normalized(), area);
        g_rcUpdate = joined;
        obj->m_rcPosition = r;
        if (obj->m_pDocument) obj->m_pDocument->SetModifiedFlag();
    }
    return changed;
}
