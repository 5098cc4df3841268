#include "editor/tools/CDrawTool.h"

#include "app/EditorState.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "editor/tools/DrawToolSet.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/CEditRecorder.h"

#include <QString>

#include <algorithm>

int g_nDragHandle = 0;

CPoint CDrawTool::c_down;
CPoint CDrawTool::c_last;
unsigned CDrawTool::c_nDownFlags = 0;
CPoint CDrawTool::c_lastDot;
std::unique_ptr<CEditRecorder> CDrawTool::s_pRecorder;

namespace {
std::vector<CDrawTool*>& ToolList()
{
    static std::vector<CDrawTool*> tools;
    return tools;
}
}  // namespace

CDrawTool::CDrawTool(int shape) : m_nShape(shape)
{
    ToolList().push_back(this);
}

CDrawTool::~CDrawTool()
{
    auto& tools = ToolList();
    tools.erase(std::remove(tools.begin(), tools.end(), this), tools.end());
}

CDrawTool* CDrawTool::FindTool(int shape)
{
    EnsureDrawTools();
    for (CDrawTool* tool : ToolList())
        if (tool->m_nShape == shape) return tool;
    return nullptr;
}

void CDrawTool::OnLButtonDown(IToolContext& ctx, unsigned flags, CPoint point)
{
    if (g_nDrawMode != kDrawModeCharacter) ctx.HideTextEntry();
    ctx.CloseInPlaceItem();
    ctx.SetCapture();
    c_nDownFlags = flags;
    c_down = point;
    c_last = point;
}

void CDrawTool::OnLButtonDblClk(IToolContext&, unsigned, CPoint) {}

void CDrawTool::OnLButtonUp(IToolContext& ctx, unsigned, CPoint point)
{
    ctx.ReleaseCapture();
    if (point == c_down) ctx.ReturnToSelectMode();
    g_rcUpdate.SetRectEmpty();
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
}

void CDrawTool::OnMouseMove(IToolContext& ctx, unsigned, CPoint point)
{
    c_last = point;
    ctx.SetToolCursor(EDrawCursor::Select);
}

void CDrawTool::OnEditProperties(IToolContext&) {}

void CDrawTool::OnCancel(IToolContext& ctx)
{
    g_nToolShape = kShapeSelect;
    if (IDrawView* view = ctx.View()) view->RenderCanvas();
}

void CDrawTool::ForgetDocument(CVemtDoc& doc)
{
    if (s_pRecorder && &s_pRecorder->Document() == &doc) s_pRecorder.reset();
    for (CDrawTool* tool : ToolList()) tool->Forget(doc);
}

void CDrawTool::Forget(CVemtDoc&) {}

void CDrawTool::BeginStep(CVemtDoc& doc)
{
    s_pRecorder = std::make_unique<CEditRecorder>(doc);
}

void CDrawTool::EndStep(const QString& text)
{
    if (!s_pRecorder) return;
    std::unique_ptr<CEditRecorder> recorder = std::move(s_pRecorder);
    recorder->Commit(text);
}

void CDrawTool::DropStep()
{
    s_pRecorder.reset();
}
