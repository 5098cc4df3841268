#pragma once
// A view that records what the objects and the document ask of it.

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/IDrawView.h"

#include <vector>

struct CFakeDrawView : IDrawView {
    CRect m_rcVisible{0, 0, 320, 128};
    CPoint m_ptScroll;
    int m_nZoom = 1;

    int m_nRenders = 0;
    std::vector<CRect> m_aUpdateAtRender;  // g_rcUpdate each time the canvas was rendered
    struct Update {
        IDrawView* sender;
        int hint;
        CDrawObj* obj;
        CRect rcObjAtCall;
    };
    std::vector<Update> m_aUpdates;
    std::vector<CDrawObj*> m_aRemoved;

    CRect GetVisibleDotRect() const override { return m_rcVisible; }
    CPoint GetScrollDots() const override { return m_ptScroll; }
    int GetZoomFactor() const override { return m_nZoom; }
    void RenderCanvas() override
    {
        ++m_nRenders;
        m_aUpdateAtRender.push_back(g_rcUpdate);
        g_rcUpdate.SetRectEmpty();
    }
    void OnUpdate(IDrawView* sender, int hint, CDrawObj* obj,
                  const std::vector<CDrawObj*>*) override
    {
        m_aUpdates.push_back({sender, hint, obj, obj ? obj->m_rcPosition : CRect()});
    }
    void OnObjectRemoved(CDrawObj* obj) override { m_aRemoved.push_back(obj); }
};
