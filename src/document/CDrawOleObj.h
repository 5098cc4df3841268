#pragma once
// A picture on the canvas: pasted from the clipboard or imported from a bitmap file. The
// picture itself lives in its CDrawItem; this object places it in a rectangle.

#include "document/CDrawObj.h"

#include <memory>

class CDrawItem;

class CDrawOleObj : public CDrawObj {
public:
    CDrawOleObj();
    explicit CDrawOleObj(const CRect& position);
    ~CDrawOleObj() override;

    const char* GetRuntimeClassName() const override { return "CDrawOleObj"; }
    void Serialize(CArchive& ar) override;

    void Draw(CRasterDC& dc, IDrawView* view) override;
    void OpenObject(IDrawView* view) override;
    void EditProperties() override;
    CDrawObj* CloneInto(CVemtDoc* doc) override;
    void RemoveObject(IDrawView* view, bool redraw) override;

    // Gives the object its item (owned from now on); none removes it.
    void SetClientItem(std::unique_ptr<CDrawItem> item);

    // Follows a change of the picture's natural size: the first time the rectangle takes
    // the size (inverted vertically), later it is scaled by the change. False when
    // nothing changed.
    bool UpdateExtent();

    CDrawItem* m_pClientItem = nullptr;  // owned
    CSize m_sizeExtent;                  // natural size as last read, in 0.01 mm
};
