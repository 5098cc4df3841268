#include "document/CDrawArc.h"

#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "raster/CRasterDC.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kSamples = 2000;
}

CDrawArc::CDrawArc()
{
    m_nKind = kKindArc;
}

CDrawArc::CDrawArc(CPoint p, int penWidth, COLORREF crLine)
    : CDrawObj(CRect(p, p), crLine, 0, penWidth, 0),
      m_ptCtrl1(p.x + 5, p.y - 5),
      m_ptCtrl2(p),
      m_ptStart(p),
      m_ptEnd(p)
{
    m_nKind = kKindArc;
}

void CDrawArc::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    CPoint* const order[] = {&m_ptStart, &m_ptEnd, &m_ptCtrl1, &m_ptCtrl2};
    if (ar.IsStoring()) {
        for (CPoint* p : order) {
            ar.WriteI32(p->x);
            ar.WriteI32(p->y);
        }
        return;
    }
    CPoint read[4];
    for (CPoint& p : read) {
        p.x = ar.ReadI32();
        p.y = ar.ReadI32();
        if (!ar.Failed() && (!IsStorableCoordinate(p.x) || !IsStorableCoordinate(p.y))) {
            ar.SetError("a curve point lies far outside any canvas");
            return;
        }
    }
    if (ar.Failed()) return;
    for (int i = 0; i < 4; ++i) *order[i] = read[i];
}

int CDrawArc::HandleCount()
{
    return 4;
}

CPoint* CDrawArc::HandleMember(int nHandle)
{
    switch (nHandle) {
    case 1: return &m_ptStart;
    case 2: return &m_ptEnd;
    case 3: return &m_ptCtrl1;
    case 4: return &m_ptCtrl2;
    default: return nullptr;
    }
}

CPoint CDrawArc::HandlePoint(int nHandle)
{
    if (CPoint* p = HandleMember(nHandle)) return *p;
    return CDrawObj::HandlePoint(nHandle);
}

EDrawCursor CDrawArc::HandleCursor(int)
{
    SetCurrentDrawCursor(EDrawCursor::Select);
    return EDrawCursor::Select;
}

bool CDrawArc::RecalcBounds()
{
    const CPoint pts[] = {m_ptStart, m_ptEnd, m_ptCtrl1, m_ptCtrl2};
    CRect bounds(pts[0], pts[0]);
    for (const CPoint& p : pts) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    if (bounds == m_rcPosition) return false;
    m_rcPosition = bounds;
    return true;
}

void CDrawArc::DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw)
{
    CPoint* target = HandleMember(nHandle);
    if (!target) return;
    NotifyBeforeChange(view);
    const CRect old = m_rcPosition;
    *target = point;
    RecalcBounds();
    NotifyAfterChange(old, view, redraw);
}

void CDrawArc::MoveToRect(const CRect& position, IDrawView* view, bool redraw)
{
    if (position == m_rcPosition) return;
    NotifyBeforeChange(view);
    const int dx = position.left - m_rcPosition.left;
    const int dy = position.top - m_rcPosition.top;
    for (CPoint* p : {&m_ptStart, &m_ptEnd, &m_ptCtrl1, &m_ptCtrl2}) *p = {p->x + dx, p->y + dy};
    const CRect old = m_rcPosition;
    RecalcBounds();
    NotifyAfterChange(old, view, redraw);
}

CPoint CDrawArc::Sample(int k) const
{
    if (k <= 0) return m_ptStart;
    if (k >= kSamples) return m_ptEnd;
    const float t = float(k) * 0.0005f;
    const float u = 1.0f - t;
    const float a = u * u * u;
    const float b = 3.0f * t * u * u;
    const float c = 3.0f * t * t * u;
    const float d = t * t * t;
    const float x = a * float(m_ptStart.x) + b * float(m_ptCtrl1.x) + c * float(m_ptCtrl2.x) +
                    d * float(m_ptEnd.x);
    const float y = a * float(m_ptStart.y) + b * float(m_ptCtrl1.y) + c * float(m_ptCtrl2.y) +
                    d * float(m_ptEnd.y);
    return {int(std::lround(x)), int(std::lround(y))};
}

bool CDrawArc::TouchesRect(const CRect& rect)
{
    const CRect r = rect.Normalized();
    // The curve stays inside the box of its four points, and so do its rounded samples.
    int minX = m_ptStart.x, maxX = minX, minY = m_ptStart.y, maxY = minY;
    for (const CPoint& p : {m_ptEnd, m_ptCtrl1, m_ptCtrl2}) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    CRect overlap;
    if (!overlap.IntersectRect(CRect(minX, minY, maxX + 1, maxY + 1), r)) return false;
    for (int k = 0; k < kSamples; ++k)
        if (r.PtInRect(Sample(k))) return true;
    return false;
}

void CDrawArc::Draw(CRasterDC& dc, IDrawView* view)
{
    CRect area, overlap;
    // A straight curve has a box without width or height; it still draws its dots.
    if (GetDrawArea(view, area) && !overlap.IntersectRect(CoveredRect(m_rcPosition), area)) return;
    const CPoint pts[] = {m_ptStart, m_ptCtrl1, m_ptCtrl2, m_ptEnd};
    const CRasterPen oldPen = dc.SelectPen(CRasterPen::Solid(m_nPenWidth, m_crLine));
    const CRasterBrush oldBrush = dc.SelectBrush(CRasterBrush::Null());
    dc.PolyBezier(pts, 4);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
}

CDrawObj* CDrawArc::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawArc(m_ptStart, m_nPenWidth, m_crLine);
    clone->m_ptEnd = m_ptEnd;
    clone->m_ptCtrl1 = m_ptCtrl1;
    clone->m_ptCtrl2 = m_ptCtrl2;
    CopyBaseInto(clone, doc);
    return clone;
}
