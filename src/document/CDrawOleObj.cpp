#include "document/CDrawOleObj.h"

#include "document/CArchive.h"
#include "document/CDrawItem.h"
#include "document/CVemtDoc.h"
#include "document/DrawObjFactory.h"
#include "document/IDrawView.h"

#include <cstdint>

namespace {
// a * b / c rounded to the nearest integer, halves away from zero; -1 for c = 0.
int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    std::int64_t p = std::int64_t(a) * b;
    const bool negative = (p < 0) != (c < 0);
    if (p < 0) p = -p;
    const std::int64_t d = c < 0 ? -std::int64_t(c) : c;
    const std::int64_t q = (p + d / 2) / d;
    return int(negative ? -q : q);
}
}  // namespace

CDrawOleObj::CDrawOleObj()
{
    m_nKind = kKindOle;
}

CDrawOleObj::CDrawOleObj(const CRect& position) : CDrawObj(position, 0, 0, 0, 0)
{
    m_nKind = kKindOle;
}

CDrawOleObj::~CDrawOleObj()
{
    delete m_pClientItem;  // the item clears m_pClientItem itself
}

void CDrawOleObj::SetClientItem(std::unique_ptr<CDrawItem> item)
{
    delete m_pClientItem;
    m_pClientItem = item.release();
    if (m_pClientItem) m_pClientItem->m_pDrawObj = this;
}

void CDrawOleObj::Serialize(CArchive& ar)
{
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteI32(m_sizeExtent.cx);
        ar.WriteI32(m_sizeExtent.cy);
        ar.WriteClassTag(CDrawItem::kClassName, 0);
        if (m_pClientItem) {
            m_pClientItem->Serialize(ar);
        } else {
            // An object always carries an item in the file; one without a picture is empty.
            CDrawItem empty(m_pDocument, this);
            empty.Serialize(ar);
        }
        return;
    }

    m_sizeExtent.cx = ar.ReadI32();
    m_sizeExtent.cy = ar.ReadI32();
    std::string className;
    std::uint16_t schema = 0;
    if (ar.Failed() || !ar.ReadClassTag(className, schema)) return;
    if (className != CDrawItem::kClassName) {
        ar.SetError("a picture object holds a \"" + className + "\" where its CDrawItem belongs");
        return;
    }
    if (schema != 0) {
        ar.SetError("a picture's CDrawItem has schema " + std::to_string(schema) + ", not 0");
        return;
    }
    auto item = std::make_unique<CDrawItem>(ar.m_pDocument, this);
    item->Serialize(ar);
    if (ar.Failed()) return;
    SetClientItem(std::move(item));
}

void CDrawOleObj::Draw(CRasterDC& dc, IDrawView* view)
{
    if (!m_pClientItem) return;
    CRect area;
    if (GetDrawArea(view, area)) {
        CRect overlap;
        if (!overlap.IntersectRect(m_rcPosition.Normalized(), area)) return;
    }
    m_pClientItem->Draw(dc, m_rcPosition);
}

void CDrawOleObj::OpenObject(IDrawView*)
{
    // There is no server to run a verb: opening only remembers where the picture was,
    // as the close notification puts it back there.
    if (m_pClientItem) m_pClientItem->m_rcSaved = m_rcPosition;
}

void CDrawOleObj::EditProperties() {}

CDrawObj* CDrawOleObj::CloneInto(CVemtDoc* doc)
{
    auto* clone = new CDrawOleObj(m_rcPosition);
    if (m_pClientItem) {
        auto item = std::make_unique<CDrawItem>(m_pDocument, clone);
        if (!item->CreateCloneFrom(*m_pClientItem)) {
            delete clone;
            return nullptr;
        }
        clone->SetClientItem(std::move(item));
    }
    clone->m_sizeExtent = m_sizeExtent;
    CopyBaseInto(clone, doc);
    return clone;
}

void CDrawOleObj::RemoveObject(IDrawView* view, bool redraw)
{
    delete m_pClientItem;
    CDrawObj::RemoveObject(view, redraw);
}

bool CDrawOleObj::UpdateExtent()
{
    CSize size;
    if (!m_pClientItem || !m_pClientItem->GetExtent(size) || size == m_sizeExtent) return false;

    if (m_sizeExtent.cx != 0 || m_sizeExtent.cy != 0) {
        // A side whose old size is 0 has nothing to scale from and stays as it is.
        if (m_sizeExtent.cx != 0)
            m_rcPosition.right = m_rcPosition.left +
                                 MulDiv(m_rcPosition.right - m_rcPosition.left, size.cx, m_sizeExtent.cx);
        if (m_sizeExtent.cy != 0)
            m_rcPosition.bottom = m_rcPosition.top +
                                  MulDiv(m_rcPosition.bottom - m_rcPosition.top, size.cy, m_sizeExtent.cy);
    } else {
        m_rcPosition.right = m_rcPosition.left + size.cx * 10 / 254;
        m_rcPosition.bottom = m_rcPosition.top - size.cy * 10 / 254;
    }
    m_sizeExtent = size;
    if (m_pDocument) m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, this);
    return true;
}
