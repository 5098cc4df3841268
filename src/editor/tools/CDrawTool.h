#pragma once
// The drawing tools: one instance per tool for the whole run, found by shape number. The
// base runs the shared parts of a press, move, release, double click and cancel; each
// subclass adds what its tool does. Points arrive in client pixels with the key and
// button flags of the event; tools convert them to dots through the context.
//
// Every change a tool makes to the document becomes one undoable step when the tool is
// done with it (a drag, a finished object).

#include "raster/Geometry.h"

#include <memory>
#include <vector>

class CDrawObj;
class CEditRecorder;
class CVemtDoc;
class IToolContext;
class QString;

// Key and button flags of a mouse event.
constexpr unsigned kMkLButton = 0x1;
constexpr unsigned kMkRButton = 0x2;
constexpr unsigned kMkShift = 0x4;
constexpr unsigned kMkControl = 0x8;

// Shape numbers of the tools (and of the modes without a tool object).
enum : int {
    kShapeSelect = 0,
    kShapeLineTool = 1,
    kShapeRectTool = 2,
    kShapeRoundRectTool = 3,
    kShapeOvalTool = 4,
    kShapePolyTool = 5,
    kShapeArcTool = 6,
    kShapePenTool = 7,
    kShapeCharacterTool = 10,
    kShapeEyeDrop = 11,
    kShapeZoom = 12,
    kShapeFillTool = 13,
};

// The handle being dragged (0: none); shared by the select tool and the creating tools.
extern int g_nDragHandle;

class CDrawTool {
public:
    explicit CDrawTool(int shape);
    virtual ~CDrawTool();
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // The tool with this shape number; none for shapes without a tool (8, 9, 11, 12).
    static CDrawTool* FindTool(int shape);

    int Shape() const { return m_nShape; }

    virtual void OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point);
    virtual void OnLButtonDblClk(IToolContext& ctx, unsigned flags, CPoint point);
    virtual void OnLButtonUp(IToolContext& ctx, unsigned flags, CPoint point);
    virtual void OnMouseMove(IToolContext& ctx, unsigned flags, CPoint point);
    virtual void OnEditProperties(IToolContext& ctx);
    virtual void OnCancel(IToolContext& ctx);

    // The document is going away (or its content replaced): every tool drops what it holds
    // of it, without touching it.
    static void ForgetDocument(CVemtDoc& doc);

    // The press point and last point in client pixels, the press's flags, the last point
    // in dots: one drag exists at a time.
    static CPoint c_down;
    static CPoint c_last;
    static unsigned c_nDownFlags;
    static CPoint c_lastDot;

protected:
    // Begins recording an edit of the document (a recording not ended is dropped).
    static void BeginStep(CVemtDoc& doc);
    // Ends the recording: the changes since BeginStep become one step named `text`.
    static void EndStep(const QString& text);
    static void DropStep();

    // Creating tools: drops the held object if it belongs to doc.
    virtual void Forget(CVemtDoc& doc);

private:
    int m_nShape;
    static std::unique_ptr<CEditRecorder> s_pRecorder;
};
