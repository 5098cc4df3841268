#pragma once
// What a drawing tool may use while it handles the mouse: the document and the view its
// objects draw to, the view's selection, mouse capture, the cursor, the rubber band, the
// colour of a dot and the switch back to select mode. The canvas view implements it;
// tests use a fake. Tools never see a widget.

#include "document/DrawCursor.h"
#include "raster/Geometry.h"

#include <vector>

class CDrawObj;
class CVemtDoc;
class IDrawView;

class IToolContext {
public:
    virtual ~IToolContext() = default;

    virtual CVemtDoc& Document() = 0;
    // The view objects draw to: their update areas are its pending update rectangle.
    virtual IDrawView* View() = 0;

    // --- selection: an ordered list, the last one the most recently selected -------------
    virtual const std::vector<CDrawObj*>& Selection() const = 0;
    virtual bool IsSelected(CDrawObj* obj) const = 0;
    // Without add the selection is emptied first; obj (if any, and not yet selected) is
    // appended; with redraw the canvas is rendered.
    virtual void SelectObj(CDrawObj* obj, bool add, bool redraw) = 0;
    // Renders the canvas, then drops obj from the selection.
    virtual void DeselectObj(CDrawObj* obj) = 0;
    // Drops obj from the selection without rendering.
    virtual void DropFromSelection(CDrawObj* obj) = 0;
    // Appends every object touching the client-pixel rectangle (emptying first without add).
    virtual void SelectWithinRect(const CRect& clientRect, bool add) = 0;
    // Clones every selected object into the document; the selection keeps the originals.
    virtual void CloneSelection() = 0;

    // --- mouse ---------------------------------------------------------------------------
    virtual CPoint ClientToDots(CPoint client) const = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetToolCursor(EDrawCursor cursor) = 0;
    // The dotted rubber band in client pixels (normalised); an empty rectangle hides it.
    virtual void ShowFocusRect(const CRect& clientRect) = 0;

    // --- editor ----------------------------------------------------------------------------
    // Select tool, select cursor, draw mode 2, toolbar checks, options window hidden.
    virtual void ReturnToSelectMode() = 0;
    // The colour the canvas shows at a dot (black outside it).
    virtual COLORREF ColorAtDot(CPoint dot) = 0;
    // A press with any tool but the character tool hides the text entry window and closes
    // an embedded picture open for editing.
    virtual void HideTextEntry() = 0;
    virtual void CloseInPlaceItem() = 0;
    // The character tool: a new text object at the dot, added to the document with the
    // text entry window open for it (nothing added when that cannot be made); and an
    // existing text object opened in that window.
    virtual void BeginNewText(CPoint dot) = 0;
    virtual void EditText(CDrawObj* textObj) = 0;
};
