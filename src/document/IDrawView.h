#pragma once
// What the drawing objects and the document need from a view of the canvas. The editor's
// canvas view implements it; tests use a fake.

#include "raster/Geometry.h"

#include <vector>

class CDrawObj;

// Update hints a document sends to its views.
enum UpdateHint {
    UPD_ALL = 0,               // repaint the whole window
    UPD_OBJECT = 1,            // the given object's area changed
    UPD_SELECTION = 2,         // the objects of the given list (or the view's selection)
    UPD_DELETE_SELECTION = 3,  // the given objects are about to be deleted
    UPD_OLE_ITEMS = 4,         // every embedded picture of the document
};

class IDrawView {
public:
    virtual ~IDrawView() = default;

    // The part of the canvas the window shows, in dots: the scroll position and the client
    // size divided by the zoom factor.
    virtual CRect GetVisibleDotRect() const = 0;
    // The dot shown at the window's top-left corner (the scroll position in dots).
    virtual CPoint GetScrollDots() const = 0;
    // Pixels per dot on the window (1, 2, 6 or 8).
    virtual int GetZoomFactor() const = 0;

    // Draws the canvas again: the pending update rectangle, or everything visible when
    // that is empty; empties the pending update rectangle.
    virtual void RenderCanvas() = 0;

    // A change notification from the document; `sender` is the view that caused it.
    virtual void OnUpdate(IDrawView* sender, int hint, CDrawObj* obj,
                          const std::vector<CDrawObj*>* list) = 0;

    // The document dropped obj from its list: the view forgets it (no repaint).
    virtual void OnObjectRemoved(CDrawObj* obj) = 0;
};
