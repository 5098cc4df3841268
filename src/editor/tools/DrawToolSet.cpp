#include "editor/tools/DrawToolSet.h"

#include "editor/tools/CArcTool.h"
#include "editor/tools/CCharacterTool.h"
#include "editor/tools/CFillTool.h"
#include "editor/tools/CPenTool.h"
#include "editor/tools/CPolyLineTool.h"
#include "editor/tools/CRectTool.h"
#include "editor/tools/CSelectTool.h"

namespace {
struct DrawToolSet {
    CSelectTool select;
    CRectTool line{kShapeLineTool};
    CRectTool rect{kShapeRectTool};
    CRectTool roundRect{kShapeRoundRectTool};
    CRectTool oval{kShapeOvalTool};
    CPolyLineTool poly;
    CArcTool arc;
    CPenTool pen;
    CFillTool fill;
    CCharacterTool character;
};

DrawToolSet& Tools()
{
    static DrawToolSet tools;
    return tools;
}
}  // namespace

void EnsureDrawTools()
{
    Tools();
}

CSelectTool& SelectTool()
{
    return Tools().select;
}
