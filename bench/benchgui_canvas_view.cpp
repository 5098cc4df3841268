// The canvas view's repaint at factor 8 with 500 objects: the whole visible area, and
// after one object moved, only the area that move touched.
#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Canvas {
    CVemtApp app;
    std::unique_ptr<CVemtDoc> doc;
    std::unique_ptr<CVemtView> view;
    CDrawRect* moving = nullptr;

    Canvas()
    {
        ResetEditorState();
        app.m_nTPWidth = 320;
        app.m_nTPHeight = 64;
        app.m_nTotalScreen = 10;
        doc = std::make_unique<CVemtDoc>(&app);
        // 500 filled and outlined boxes spread over the canvas, overlapping.
        for (int i = 0; i < 500; ++i) {
            const int x = (i * 37) % 300, y = (i * 53) % 620;
            auto* r = new CDrawRect(CRect(x, y, x + 6 + i % 14, y + 4 + i % 9), 0x0000FF, 0x00FF00, 1 + i % 3, i % 3);
            doc->AddObj(r);
        }
        moving = static_cast<CDrawRect*>(doc->m_objects[250]);
        view = std::make_unique<CVemtView>(app, *doc);
        g_nPrevZoomIndex = 0;
        g_nZoomIndex = 3;
        view->OnZoomChanged();
        view->ScrollToPosition(CPoint(moving->m_rcPosition.left * 8 - 200, moving->m_rcPosition.top * 8 - 160));
    }
};

void FullRepaintAtFactor8(benchmark::State& state)
{
    Canvas c;
    for (auto _ : state) {
        g_rcUpdate.SetRectEmpty();
        c.view->RenderCanvas();
    }
    state.counters["dots"] = double(c.view->LastRenderedDots().Width() * c.view->LastRenderedDots().Height());
}
BENCHMARK(FullRepaintAtFactor8)->Unit(benchmark::kMillisecond);

void RepaintAfterMovingOneObject(benchmark::State& state)
{
    Canvas c;
    int dx = 1;
    for (auto _ : state) {
        CRect r = c.moving->m_rcPosition;
        r.OffsetRect(dx, 0);
        dx = -dx;
        c.moving->MoveToRect(r, c.view.get(), true);
    }
    state.counters["dots"] = double(c.view->LastRenderedDots().Width() * c.view->LastRenderedDots().Height());
}
BENCHMARK(RepaintAfterMovingOneObject)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
