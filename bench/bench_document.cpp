// Rendering a whole message at one pixel per dot (what every send and preview does) and
// the click hit test over a busy document.
#include "app/EditorState.h"
#include "document/CDrawArc.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <benchmark/benchmark.h>

namespace {

// n objects of every kind spread over a 320 x (64 x screens) canvas.
void Populate(CVemtDoc& doc, int n, int screens)
{
    const int height = 64 * screens;
    for (int i = 0; i < n; ++i) {
        const int x = (i * 37) % 300, y = (i * 53) % (height - 20);
        auto* r = new CDrawRect({x, y, x + 18, y + 15}, 0x0000FF, 0x00FF00, 1 + i % 3, i % 3);
        r->m_nShape = i % 4;
        doc.AddObj(r);
        auto* poly = new CDrawPoly(CRect(), 0x00FFFF, 0x0000FF, 1, i % 3);
        for (CPoint p : {CPoint(x, y), CPoint(x + 15, y + 3), CPoint(x + 8, y + 19)}) poly->AddPoint(p, nullptr);
        doc.AddObj(poly);
        auto* stroke = new CStroke(1, 0x00FF00);
        for (int k = 0; k < 30; ++k) stroke->m_aPoints.emplace_back(x + k / 2, y + (k * 7) % 11);
        stroke->RecalcBounds();
        stroke->m_rcPosition = stroke->m_rcBounds;
        doc.AddObj(stroke);
        auto* arc = new CDrawArc({x, y + 10}, 1, 0x0000FF);
        arc->DragHandle(2, {x + 20, y + 4}, nullptr, false);
        doc.AddObj(arc);
    }
}

void BM_RenderRegion(benchmark::State& state)
{
    const int screens = int(state.range(1));
    CVemtDoc doc;
    Populate(doc, int(state.range(0)), screens);
    CRasterSurface raster(320, 64 * screens, 0);
    for (auto _ : state) {
        RenderRegion(doc.m_objects, raster, 320, 64 * screens);
        benchmark::DoNotOptimize(raster.Row(0));
    }
    state.SetLabel(std::to_string(doc.m_objects.size()) + " objects");
}
BENCHMARK(BM_RenderRegion)->Args({10, 1})->Args({50, 20})->Args({200, 150})->Unit(benchmark::kMillisecond);

void BM_ObjectAt(benchmark::State& state)
{
    ResetEditorState();
    CVemtDoc doc;
    Populate(doc, int(state.range(0)), 20);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.ObjectAt({(i * 13) % 320, (i * 29) % 1280}));
        ++i;
    }
}
BENCHMARK(BM_ObjectAt)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);

}  // namespace
