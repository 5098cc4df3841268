#include "editor/tools/CPolyLineTool.h"

#include "app/EditorState.h"
#include "document/CDrawPoly.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "editor/tools/CSelectTool.h"
#include "editor/tools/DrawToolSet.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/UndoTexts.h"

#include <QString>

namespace {

void DropLastPoint(CDrawPoly& poly)
{
    if (poly.m_nPoints == 0) return;
    poly.m_pPoints.pop_back();
    --poly.m_nPoints;
    poly.RecalcBounds();
}

bool HasRepeatedPoint(const CDrawPoly& poly)
{
    for (int i = 1; i < poly.m_nPoints; ++i)
        if (poly.m_pPoints[i] == poly.m_pPoints[i - 1]) return true;
    return false;
}

}  // namespace

CPolyLineTool::CPolyLineTool() : CDrawTool(kShapePolyTool) {}

bool CPolyLineTool::DiscardIfUnsound(IToolContext& ctx)
{
    if (m_pDrawObj->m_nPoints >= 3 && !HasRepeatedPoint(*m_pDrawObj)) return false;
    // Its own document: another window may be the active one by now.
    if (CVemtDoc* doc = m_pDrawObj->m_pDocument) doc->RemoveObj(m_pDrawObj);
    m_pDrawObj->RemoveObject(ctx.View(), false);
    m_pDrawObj = nullptr;
    return true;
}

void CPolyLineTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    const CPoint p = ctx.ClientToDots(point);
    if (!m_pDrawObj) {
        CDrawTool::OnLButtonDown(ctx, flags, point);
        BeginStep(ctx.Document());
        m_pDrawObj = new CDrawPoly(CRect(p, p), g_crForeground, g_crBackground, g_nLineWidth,
                                   g_nFillStyle);
        ctx.Document().AddObj(m_pDrawObj);
        ctx.SelectObj(m_pDrawObj, false, true);
        m_pDrawObj->AddPoint(p, ctx.View());
    } else if (p == m_pDrawObj->m_pPoints[0]) {
        // Back on the first point: the polygon is closed.
        ctx.ReleaseCapture();
        DropLastPoint(*m_pDrawObj);
        if (DiscardIfUnsound(ctx)) {
            g_rcUpdate.SetRectEmpty();
            if (IDrawView* view = ctx.View()) view->RenderCanvas();
            DropStep();
            return;
        }
        g_rcUpdate.SetRectEmpty();
        if (IDrawView* view = ctx.View()) view->RenderCanvas();
        m_pDrawObj = nullptr;
        EndStep(kStepPolyLine);
        ctx.ReturnToSelectMode();
        return;
    }
    // The point after this one follows the mouse; it starts a dot to the right so that it
    // is a point of its own.
    const CPoint rubber(p.x + 1, p.y);
    m_pDrawObj->AddPoint(rubber, ctx.View());
    g_nSelectMode = SM_SIZE;
    g_nDragHandle = m_pDrawObj->HandleCount();
    c_lastDot = rubber;
}

void CPolyLineTool::OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point)
{
    ctx.SetToolCursor(EDrawCursor::Select);
    SelectTool().OnMouseMove(ctx, flags, point);
}

void CPolyLineTool::OnLButtonUp(IToolContext&, unsigned, CPoint) {}

void CPolyLineTool::OnLButtonDblClk(IToolContext& ctx, unsigned, CPoint)
{
    ctx.ReleaseCapture();
    if (m_pDrawObj) {
        CDrawPoly& poly = *m_pDrawObj;
        if (poly.m_nPoints > 2) {
            const CPoint last = poly.m_pPoints[poly.m_nPoints - 1];
            const CPoint prev = poly.m_pPoints[poly.m_nPoints - 2];
            if (last == prev || last == CPoint(prev.x + 1, prev.y)) {
                DropLastPoint(poly);
                g_rcUpdate.SetRectEmpty();
                if (IDrawView* view = ctx.View()) view->RenderCanvas();
            }
        }
        m_pDrawObj = nullptr;
        EndStep(kStepPolyLine);
    }
    ctx.ReturnToSelectMode();
}

void CPolyLineTool::OnCancel(IToolContext& ctx)
{
    CDrawTool::OnCancel(ctx);
    EndDrawing(ctx);
}

void CPolyLineTool::EndDrawing(IToolContext& ctx)
{
    ctx.ReleaseCapture();
    if (!m_pDrawObj) return;
    if (DiscardIfUnsound(ctx)) {
        DropStep();
        g_rcUpdate.SetRectEmpty();
        if (IDrawView* view = ctx.View()) view->RenderCanvas();
        return;
    }
    m_pDrawObj->m_rcPosition.NormalizeRect();
    m_pDrawObj = nullptr;
    EndStep(kStepPolyLine);
}

void CPolyLineTool::Forget(CVemtDoc& doc)
{
    if (m_pDrawObj && m_pDrawObj->m_pDocument == &doc) m_pDrawObj = nullptr;
}
