#include "editor/align/AlignCommands.h"

#include "document/CDrawObj.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// The two edges of one axis of a rectangle, so that one rule serves both axes.
struct Axis {
    int CRect::*lo;  // left or top
    int CRect::*hi;  // right or bottom
};
constexpr Axis kHorizontal{&CRect::left, &CRect::right};
constexpr Axis kVertical{&CRect::top, &CRect::bottom};

int Smaller(const CRect& r, Axis a) { return std::min(r.*a.lo, r.*a.hi); }
int Larger(const CRect& r, Axis a) { return std::max(r.*a.lo, r.*a.hi); }
int Extent(const CRect& r, Axis a) { return std::abs(r.*a.hi - r.*a.lo); }

// Places the smaller edge of the axis at `start` and the larger at start + extent,
// keeping the rectangle's orientation.
void PlaceSmallerEdge(CRect& r, Axis a, int start, int extent)
{
    if (r.*a.lo <= r.*a.hi) {
        r.*a.lo = start;
        r.*a.hi = start + extent;
    } else {
        r.*a.hi = start;
        r.*a.lo = start + extent;
    }
}

// Places the larger edge at `end`, the smaller at end - extent.
void PlaceLargerEdge(CRect& r, Axis a, int end, int extent)
{
    PlaceSmallerEdge(r, a, end - extent, extent);
}

bool MoveTo(CDrawObj* obj, const CRect& r, IDrawView* view)
{
    if (obj->m_rcPosition == r) return false;
    obj->MoveToRect(r, view, false);
    return true;
}

bool AlignEdge(const std::vector<CDrawObj*>& sel, Axis a, bool toSmaller, IDrawView* view)
{
    int reference = toSmaller ? INT_MAX : INT_MIN;
    for (CDrawObj* obj : sel)
        reference = toSmaller ? std::min(reference, Smaller(obj->m_rcPosition, a))
                              : std::max(reference, Larger(obj->m_rcPosition, a));
    bool changed = false;
    for (CDrawObj* obj : sel) {
        CRect r = obj->m_rcPosition;
        const int extent = Extent(r, a);
        if (toSmaller) PlaceSmallerEdge(r, a, reference, extent);
        else PlaceLargerEdge(r, a, reference, extent);
        changed |= MoveTo(obj, r, view);
    }
    return changed;
}

bool SameExtent(const std::vector<CDrawObj*>& sel, Axis a, IDrawView* view)
{
    CDrawObj* dominant = sel.back();
    const int extent = Extent(dominant->m_rcPosition, a);
    bool changed = false;
    for (CDrawObj* obj : sel) {
        if (obj == dominant) continue;
        CRect r = obj->m_rcPosition;
        PlaceSmallerEdge(r, a, Smaller(r, a), extent);
        changed |= MoveTo(obj, r, view);
    }
    return changed;
}

// Division truncating toward zero, as the placement rules have it (C++ does the same).
int Div(int a, int b) { return a / b; }

bool CenterVertical(const std::vector<CDrawObj*>& sel, int screenHeight, IDrawView* view)
{
    if (screenHeight <= 0) return false;
    int t = INT_MAX, b = INT_MIN;
    for (CDrawObj* obj : sel) {
        const CRect r = obj->m_rcPosition.Normalized();
        t = std::min(t, r.top);
        b = std::max(b, r.bottom);
    }
    const int H = screenHeight;
    if (b - t > H) return false;               // taller than a screen
    const int boundary = (Div(t, H) + 1) * H;  // first screen boundary below the top
    if (t < boundary && boundary < b) return false;  // crosses it
    const int free = H - (b - t);
    const int d = t % H - Div(free, 2);
    if (d == 0) return false;
    bool changed = false;
    for (CDrawObj* obj : sel) {
        CRect r = obj->m_rcPosition;
        r.top -= d;
        r.bottom -= d;
        changed |= MoveTo(obj, r, view);
    }
    return changed;
}

bool CenterHorizontal(const std::vector<CDrawObj*>& sel, int signWidth, IDrawView* view)
{
    int l = INT_MAX, r = INT_MIN;
    for (CDrawObj* obj : sel) {
        const CRect n = obj->m_rcPosition.Normalized();
        l = std::min(l, n.left);
        r = std::max(r, n.right);
    }
    if (r - l > signWidth) return false;
    const int shift = Div(signWidth - (r - l), 2) - l;
    if (shift == 0) return false;
    bool changed = false;
    for (CDrawObj* obj : sel) {
        CRect p = obj->m_rcPosition;
        p.left += shift;
        p.right += shift;
        changed |= MoveTo(obj, p, view);
    }
    return changed;
}

bool Space(const std::vector<CDrawObj*>& sel, Axis a, IDrawView* view)
{
    std::vector<CDrawObj*> order(sel);
    std::stable_sort(order.begin(), order.end(), [a](CDrawObj* x, CDrawObj* y) {
        return Smaller(x->m_rcPosition, a) < Smaller(y->m_rcPosition, a);
    });
    int total = 0, lo = INT_MAX, hi = INT_MIN;
    for (CDrawObj* obj : order) {
        const CRect& r = obj->m_rcPosition;
        total += Extent(r, a);
        lo = std::min(lo, Smaller(r, a));
        hi = std::max(hi, Larger(r, a));
    }
    const int n = int(order.size());
    const int gap = Div(hi - lo - total, n - 1);
    bool changed = false;
    for (int i = 1; i + 1 < n; ++i) {
        CRect r = order[i]->m_rcPosition;
        const int start = Larger(order[i - 1]->m_rcPosition, a) + gap;
        PlaceSmallerEdge(r, a, start, Extent(r, a));
        changed |= MoveTo(order[i], r, view);
    }
    return changed;
}

}  // namespace

const std::vector<CAlignCommandInfo>& AlignCommandTable()
{
    static const std::vector<CAlignCommandInfo> table = {
        {EAlignCommand::AlignLeft, 61565, "Align Left", 2},
        {EAlignCommand::AlignRight, 61566, "Align Right", 2},
        {EAlignCommand::AlignTop, 61567, "Align Top", 2},
        {EAlignCommand::AlignBottom, 61568, "Align Bottom", 2},
        {EAlignCommand::SameWidth, 61569, "Make Same Width", 2},
        {EAlignCommand::SameHeight, 61570, "Make Same Height", 2},
        {EAlignCommand::SameSize, 61571, "Make Same Size", 2},
        {EAlignCommand::CenterVertical, 61572, "Center Vertical", 1},
        {EAlignCommand::CenterHorizontal, 61573, "Center Horizontal", 1},
        {EAlignCommand::SpaceDown, 61574, "Space Down", 3},
        {EAlignCommand::SpaceAcross, 61575, "Space Across", 3},
        {EAlignCommand::SpecifyPosition, 61576, "Specify Position", 1},
    };
    return table;
}

const CAlignCommandInfo& AlignCommandInfo(EAlignCommand command)
{
    return AlignCommandTable()[std::size_t(command)];
}

bool IsAlignCommandEnabled(EAlignCommand command, std::size_t selectionCount)
{
    return selectionCount >= std::size_t(AlignCommandInfo(command).m_nMinSelection);
}

bool RunAlignCommand(EAlignCommand command, const std::vector<CDrawObj*>& selection,
                     int signWidth, int screenHeight, IDrawView* view)
{
    if (!IsAlignCommandEnabled(command, selection.size())) return false;
    switch (command) {
    case EAlignCommand::AlignLeft: return AlignEdge(selection, kHorizontal, true, view);
    case EAlignCommand::AlignRight: return AlignEdge(selection, kHorizontal, false, view);
    case EAlignCommand::AlignTop: return AlignEdge(selection, kVertical, true, view);
    case EAlignCommand::AlignBottom: return AlignEdge(selection, kVertical, false, view);
    case EAlignCommand::SameWidth: return SameExtent(selection, kHorizontal, view);
    case EAlignCommand::SameHeight: return SameExtent(selection, kVertical, view);
    case EAlignCommand::SameSize: {
        const bool width = SameExtent(selection, kHorizontal, view);
        const bool height = SameExtent(selection, kVertical, view);
        return width || height;
    }
    case EAlignCommand::CenterVertical: return CenterVertical(selection, screenHeight, view);
    case EAlignCommand::CenterHorizontal: return CenterHorizontal(selection, signWidth, view);
    case EAlignCommand::SpaceDown: return Space(selection, kVertical, view);
    case EAlignCommand::SpaceAcross: return Space(selection, kHorizontal, view);
    case EAlignCommand::SpecifyPosition: return false;
    }
    return false;
}
