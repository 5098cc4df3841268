#pragma once
// A tool context without widgets: a selection list, capture and cursor flags, a canvas
// rendered on demand for colour picks, and the mouse driven in client pixels at a chosen
// zoom factor (one pixel per dot by default). It is also a view of the document, so the
// document's removal notices reach its selection.

#include "EditorTestSupport.h"

#include "document/CDrawFont.h"
#include "document/CDrawObj.h"
#include "editor/tools/CDrawTool.h"
#include "editor/tools/IToolContext.h"

#include <algorithm>

class CFakeToolContext : public CFakeDrawView, public IToolContext {
public:
    explicit CFakeToolContext(CVemtDoc& doc, int canvasWidth, int canvasHeight)
        : m_doc(doc), m_nCanvasWidth(canvasWidth), m_nCanvasHeight(canvasHeight)
    {
        m_rcVisible = CRect(0, 0, canvasWidth, canvasHeight);
        doc.AddView(this);
    }
    ~CFakeToolContext() override { m_doc.RemoveView(this); }

    // --- IDrawView: the document's removal notice -----------------------------------
    void OnObjectRemoved(CDrawObj* obj) override
    {
        CFakeDrawView::OnObjectRemoved(obj);
        std::erase(m_selection, obj);
    }

    // --- IToolContext ------------------------------------------------------------------
    CVemtDoc& Document() override { return m_doc; }
    IDrawView* View() override { return this; }
    const std::vector<CDrawObj*>& Selection() const override { return m_selection; }
    bool IsSelected(CDrawObj* obj) const override
    {
        return std::find(m_selection.begin(), m_selection.end(), obj) != m_selection.end();
    }
    void SelectObj(CDrawObj* obj, bool add, bool redraw) override
    {
        if (!add) m_selection.clear();
        if (obj && !IsSelected(obj)) m_selection.push_back(obj);
        if (redraw) RenderCanvas();
    }
    void DeselectObj(CDrawObj* obj) override
    {
        if (!IsSelected(obj)) return;
        RenderCanvas();
        std::erase(m_selection, obj);
    }
    void DropFromSelection(CDrawObj* obj) override { std::erase(m_selection, obj); }
    void SelectWithinRect(const CRect& clientRect, bool add) override
    {
        if (!add) m_selection.clear();
        const CRect dots(ClientToDots(clientRect.TopLeft()), ClientToDots(clientRect.BottomRight()));
        bool any = false;
        for (CDrawObj* obj : m_doc.m_objects)
            if (obj->TouchesRect(dots) && !IsSelected(obj)) m_selection.push_back(obj), any = true;
        if (any) RenderCanvas();
    }
    void CloneSelection() override
    {
        for (CDrawObj* obj : std::vector<CDrawObj*>(m_selection)) obj->CloneInto(&m_doc);
    }
    CPoint ClientToDots(CPoint client) const override
    {
        return {client.x / m_nZoom + m_ptScroll.x, client.y / m_nZoom + m_ptScroll.y};
    }
    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }
    void SetToolCursor(EDrawCursor cursor) override { m_cursor = cursor; }
    void ShowFocusRect(const CRect& clientRect) override { m_rcFocus = clientRect; }
    void ReturnToSelectMode() override
    {
        g_nToolShape = kShapeSelect;
        g_nDrawMode = kDrawModeSelect;
        ++m_nReturnsToSelect;
    }
    COLORREF ColorAtDot(CPoint dot) override
    {
        if (dot.x < 0 || dot.y < 0 || dot.x >= m_nCanvasWidth || dot.y >= m_nCanvasHeight) return 0;
        CRasterSurface surface(m_nCanvasWidth, m_nCanvasHeight);
        RenderRegion(m_doc.m_objects, surface, m_nCanvasWidth, m_nCanvasHeight);
        return surface.GetPixel(dot.x, dot.y);
    }
    void HideTextEntry() override { ++m_nTextEntryHidden; }
    void CloseInPlaceItem() override {}
    void BeginNewText(CPoint dot) override
    {
        auto* text = new CDrawFont({dot.x, dot.y, dot.x + 20, dot.y + 20}, g_crForeground, g_crBackground);
        text->ApplyTextDefaults();
        m_doc.AddObj(text);
        m_aTextsBegun.push_back(text);
    }
    void EditText(CDrawObj* textObj) override { m_aTextsEdited.push_back(textObj); }

    // --- the mouse, as the view hands it to the current tool --------------------------
    CDrawTool* Tool() const { return CDrawTool::FindTool(g_nToolShape); }
    void Press(int x, int y, unsigned keys = 0)
    {
        if (CDrawTool* tool = Tool()) tool->OnLButtonDown(*this, keys | kMkLButton, {x, y});
    }
    void Move(int x, int y, unsigned keys = 0)
    {
        const unsigned buttons = m_bCapture ? kMkLButton : 0;
        if (CDrawTool* tool = Tool()) tool->OnMouseMove(*this, keys | buttons, {x, y});
    }
    void Release(int x, int y, unsigned keys = 0)
    {
        if (CDrawTool* tool = Tool()) tool->OnLButtonUp(*this, keys, {x, y});
    }
    // A double click reaches the tool whose shape is the kind of the object under it.
    void DoubleClick(int x, int y, unsigned keys = 0)
    {
        CDrawObj* obj = m_doc.ObjectAt(ClientToDots({x, y}));
        if (!obj) return;
        if (CDrawTool* tool = CDrawTool::FindTool(obj->m_nKind))
            tool->OnLButtonDblClk(*this, keys | kMkLButton, {x, y});
    }
    void Drag(CPoint from, CPoint to, unsigned keys = 0)
    {
        Press(from.x, from.y, keys);
        Move(to.x, to.y, keys);
        Release(to.x, to.y, keys);
    }
    void Cancel()
    {
        if (CDrawTool* tool = Tool()) tool->OnCancel(*this);
    }

    CVemtDoc& m_doc;
    int m_nCanvasWidth;
    int m_nCanvasHeight;
    std::vector<CDrawObj*> m_selection;
    bool m_bCapture = false;
    EDrawCursor m_cursor = EDrawCursor::Select;
    CRect m_rcFocus;
    int m_nReturnsToSelect = 0;
    int m_nTextEntryHidden = 0;
    std::vector<CDrawObj*> m_aTextsBegun;
    std::vector<CDrawObj*> m_aTextsEdited;
};
