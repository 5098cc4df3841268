// The editor's mouse work and its undo history on a busy message: 500 objects on a
// 320 x 64 sign of 4 screens.

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "document/SelectMode.h"
#include "editor/align/AlignCommands.h"
#include "editor/tools/CDrawTool.h"
#include "editor/tools/IToolContext.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CUndoHistory.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 256;
constexpr int kObjects = 500;

// A view that draws what changed, as the canvas view does: the pending update rectangle
// widened for the handles, filled black, and every object asked to draw into it (objects
// outside it return at once).
class CBenchContext : public IDrawView, public IToolContext {
public:
    explicit CBenchContext(CVemtDoc& doc) : m_doc(doc), m_dots(kWidth, kHeight) { doc.AddView(this); }
    ~CBenchContext() override { m_doc.RemoveView(this); }

    CRect GetVisibleDotRect() const override { return {0, 0, kWidth, kHeight}; }
    CPoint GetScrollDots() const override { return {}; }
    int GetZoomFactor() const override { return 1; }
    void RenderCanvas() override
    {
        CRect area = g_rcUpdate.Normalized();
        if (area.IsRectEmpty()) area = GetVisibleDotRect();
        else area = {area.left - 4, area.top - 5, area.right + 5, area.bottom + 4};
        CRect clipped;
        clipped.IntersectRect(area, GetVisibleDotRect());
        g_rcUpdate = clipped;
        CRasterDC dc(m_dots);
        dc.SetClipRect(clipped);
        dc.FillSolidRect(clipped, 0);
        m_doc.DrawAll(dc, this);
        g_rcUpdate.SetRectEmpty();
    }
    void OnUpdate(IDrawView*, int, CDrawObj*, const std::vector<CDrawObj*>*) override {}
    void OnObjectRemoved(CDrawObj* obj) override { std::erase(m_selection, obj); }

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
    void DeselectObj(CDrawObj* obj) override { std::erase(m_selection, obj); }
    void DropFromSelection(CDrawObj* obj) override { std::erase(m_selection, obj); }
    void SelectWithinRect(const CRect&, bool) override {}
    void CloneSelection() override {}
    CPoint ClientToDots(CPoint client) const override { return client; }
    void SetCapture() override { m_bCapture = true; }
    void ReleaseCapture() override { m_bCapture = false; }
    bool HasCapture() const override { return m_bCapture; }
    void SetToolCursor(EDrawCursor) override {}
    void ShowFocusRect(const CRect&) override {}
    void ReturnToSelectMode() override {}
    COLORREF ColorAtDot(CPoint) override { return 0; }
    void HideTextEntry() override {}
    void CloseInPlaceItem() override {}
    void BeginNewText(CPoint) override {}
    void EditText(CDrawObj*) override {}

private:
    CVemtDoc& m_doc;
    CRasterSurface m_dots;
    std::vector<CDrawObj*> m_selection;
    bool m_bCapture = false;
};

// 500 rectangles, ovals and lines in a grid of 25 columns and 20 rows.
void Populate(CVemtDoc& doc)
{
    for (int i = 0; i < kObjects; ++i) {
        const int x = (i % 25) * 12 + 1, y = (i / 25) * 12 + 1;
        auto* obj = new CDrawRect({x, y, x + 9, y + 8}, 0x0000FF, 0x00FF00, 1 + i % 3, i % 3);
        obj->m_nShape = i % 4 == 3 ? kShapeLine : i % 3;
        doc.AddObj(obj);
    }
}

CVemtApp BenchApp()
{
    CVemtApp app;
    app.m_nTPWidth = kWidth;
    app.m_nTPHeight = 64;
    app.m_nTotalScreen = 4;
    return app;
}

// Move events of a drag of one object among 500, each with its partial repaint.
void BM_DragOneAmong500(benchmark::State& state)
{
    ResetEditorState();
    CVemtApp app = BenchApp();
    CVemtDoc doc(&app);
    Populate(doc);
    CBenchContext ctx(doc);
    ctx.RenderCanvas();
    CDrawTool* select = CDrawTool::FindTool(kShapeSelect);
    const CPoint grab(3 + 12 * 10, 1 + 12 * 8);  // the top edge of object 210
    select->OnLButtonDown(ctx, kMkLButton, grab);
    int step = 0;
    for (auto _ : state) {
        // Back and forth over 16 dots.
        const int dx = (step / 16) % 2 == 0 ? step % 16 : 16 - step % 16;
        select->OnMouseMove(ctx, kMkLButton, {grab.x + dx, grab.y + dx / 2});
        ++step;
    }
    select->OnLButtonUp(ctx, 0, {grab.x + 1, grab.y});
    CDrawTool::ForgetDocument(doc);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DragOneAmong500);

// A whole drag (press, 8 moves, release) including the undo step it records.
void BM_DragWithUndoStep500(benchmark::State& state)
{
    ResetEditorState();
    CVemtApp app = BenchApp();
    CVemtDoc doc(&app);
    Populate(doc);
    CBenchContext ctx(doc);
    CDrawTool* select = CDrawTool::FindTool(kShapeSelect);
    const CPoint grab(3 + 12 * 10, 1 + 12 * 8);
    int direction = 1;
    for (auto _ : state) {
        select->OnLButtonDown(ctx, kMkLButton, grab);
        for (int i = 1; i <= 8; ++i)
            select->OnMouseMove(ctx, kMkLButton, {grab.x + direction * i, grab.y});
        select->OnLButtonUp(ctx, 0, {grab.x + direction * 8, grab.y});
        direction = -direction;
    }
    CDrawTool::ForgetDocument(doc);
}
BENCHMARK(BM_DragWithUndoStep500)->Unit(benchmark::kMicrosecond);

// Recording an align of all 500 objects as one step.
void BM_Align500Recorded(benchmark::State& state)
{
    ResetEditorState();
    CVemtApp app = BenchApp();
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CVemtDoc>(&app);
        Populate(*doc);
        state.ResumeTiming();
        CEditRecorder recorder(*doc);
        RunAlignCommand(EAlignCommand::AlignLeft, doc->m_objects, kWidth, 64, nullptr);
        recorder.Commit("Align");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Align500Recorded)->Unit(benchmark::kMicrosecond);

// Undo and redo of an align of 500 objects (one iteration = one undo and one redo).
void BM_UndoRedoAlign500(benchmark::State& state)
{
    ResetEditorState();
    CVemtApp app = BenchApp();
    CVemtDoc doc(&app);
    Populate(doc);
    CEditRecorder recorder(doc);
    RunAlignCommand(EAlignCommand::AlignLeft, doc.m_objects, kWidth, 64, nullptr);
    recorder.Commit("Align");
    CUndoHistory& history = CUndoHistory::Of(doc);
    for (auto _ : state) {
        history.Undo();
        history.Redo();
    }
}
BENCHMARK(BM_UndoRedoAlign500)->Unit(benchmark::kMicrosecond);

}  // namespace
