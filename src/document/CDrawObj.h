#pragma once
// The base of every drawing object on the canvas: a position rectangle in dots and the
// four style values all shapes share. It knows its eight resize handles, moves itself,
// hit-tests, clones itself and writes itself to an archive. Objects draw at one pixel
// per dot; what they draw is what the sign shows.

#include "document/DrawCursor.h"
#include "raster/Geometry.h"

#include <vector>

class CArchive;
class CRasterDC;
class CVemtDoc;
class IDrawView;

// Kind numbers: the editor hands a double click to the tool with this shape number.
constexpr int kKindRect = 2;
constexpr int kKindPoly = 5;
constexpr int kKindArc = 6;
constexpr int kKindStroke = 7;
constexpr int kKindText = 10;
constexpr int kKindOle = 14;
constexpr int kKindFill = 15;  // no tool has this shape number

// Fill modes.
constexpr int kFillOutline = 0;
constexpr int kFillOutlineAndFill = 1;
constexpr int kFillOnly = 2;

// Tracker states for DrawHandles.
constexpr int kTrackerNormal = 0;
constexpr int kTrackerSelected = 1;
constexpr int kTrackerActive = 2;

// Handle squares reach this many pixels (or, for hit tests, dots) around a handle.
constexpr int kHandleReach = 3;
constexpr COLORREF kHandleColor = 0xFF8000;

// Coordinates beyond this are refused when an object is read: no canvas comes near it,
// and it keeps outline tests and the raster engine's arithmetic far from overflow.
constexpr int kMaxStoredCoordinate = 1 << 16;
// The editor's pens are 1 to 5 dots wide; a wider one in a file is refused as well, as
// drawing it would take ages.
constexpr int kMaxStoredPenWidth = 255;
constexpr bool IsStorableCoordinate(int v)
{
    return v >= -kMaxStoredCoordinate && v <= kMaxStoredCoordinate;
}

class CDrawObj {
public:
    CDrawObj();
    CDrawObj(const CRect& position, COLORREF crLine, COLORREF crFill, int penWidth, int fillMode);
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    // The serialisable root: run-time class name (as stored in class tags), destruction,
    // serialisation of this class's own fields after its base's.
    virtual const char* GetRuntimeClassName() const { return "CDrawObj"; }
    virtual ~CDrawObj();
    virtual void Serialize(CArchive& ar);

    virtual int HandleCount();
    virtual CPoint HandlePoint(int nHandle);
    virtual EDrawCursor HandleCursor(int nHandle);
    virtual void Draw(CRasterDC& dc, IDrawView* view);
    virtual void DrawHandles(CRasterDC& dc, int trackerState, IDrawView* view);
    virtual void MoveToRect(const CRect& position, IDrawView* view, bool redraw);
    virtual int HitTestPoint(CPoint point, IDrawView* view, bool selected);
    virtual bool TouchesRect(const CRect& rect);
    virtual void DragHandle(int nHandle, CPoint point, IDrawView* view, bool redraw);
    virtual void OpenObject(IDrawView* view);
    virtual void EditProperties();
    virtual CDrawObj* CloneInto(CVemtDoc* doc);
    virtual void RemoveObject(IDrawView* view, bool redraw);

    // The frames DrawHandles paints, in window pixels: each rectangle's border pixels
    // (left..right-1, top..bottom-1) are the frame. None for the normal tracker state.
    virtual std::vector<CRect> HandleSquares(int trackerState, IDrawView* view);

    int m_nCreateShape = 0;
    CRect m_rcPosition;
    CVemtDoc* m_pDocument = nullptr;
    int m_nKind = 0;
    COLORREF m_crLine = 0;
    COLORREF m_crFill = 0;
    int m_nPenWidth = 0;
    int m_nFillMode = 0;

protected:
    // The rectangle normalised and, where it has no width or height, made one dot wide
    // or high, so that it covers the dots a line or a point draws.
    static CRect CoveredRect(const CRect& r);
    // The area objects draw into now: the pending update rectangle, or the visible part of
    // the canvas when that is empty. False when nothing limits it (no view, no update).
    static bool GetDrawArea(IDrawView* view, CRect& area);
    // Adds r to the pending update rectangle.
    static void AddToUpdate(const CRect& r);

    // The steps around a change of position: without a view every view of the document
    // is told before and after; with a view the union of the old and new areas becomes
    // pending and is drawn when redraw is set. The document becomes modified.
    void NotifyBeforeChange(IDrawView* view);
    void NotifyAfterChange(const CRect& oldArea, IDrawView* view, bool redraw);

    // Copies the rectangle and style values into a new object of the same class and, with
    // a document, appends it there.
    void CopyBaseInto(CDrawObj* clone, CVemtDoc* doc) const;
};

// Whether the segment (x0, y0)-(x1, y1) meets the rectangle (normalised first): an end
// inside it, or a crossing of one of its edges, in integer arithmetic.
bool SegmentTouchesRect(int x0, int y0, int x1, int y1, const CRect& rect);
