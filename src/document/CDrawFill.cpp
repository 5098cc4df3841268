#include "document/CDrawFill.h"

#include "raster/CRasterDC.h"

CDrawFill::CDrawFill()
{
    m_nKind = kKindFill;
}

CDrawFill::CDrawFill(const CRect& position, COLORREF crLine, COLORREF crFill)
    : CDrawObj(position, crLine, crFill, 1, kFillOutline)
{
    m_nKind = kKindFill;
}

void CDrawFill::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
}

void CDrawFill::Draw(CRasterDC& dc, IDrawView*)
{
    // Flooded with the colour the user chose; a fill in the brush's blue would light no
    // LED at all.
    const CRasterBrush oldBrush = dc.SelectBrush(CRasterBrush::Solid(m_crLine));
    dc.ExtFloodFillSurface(m_rcPosition.TopLeft(), 0x000000);
    dc.SelectBrush(oldBrush);
}

CDrawObj* CDrawFill::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawFill;
    CopyBaseInto(clone, doc);
    return clone;
}
