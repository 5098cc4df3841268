// How fast the preview produces its pictures on the largest sign, 320 x 64: the
// slowest entries must stay far below their 30 ms step.

#include "programme/CPreviewPlayer.h"

#include <benchmark/benchmark.h>

namespace {

CRasterSurface Canvas(int w, int h, int screens)
{
    CRasterSurface canvas(w, h * screens);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < w; ++x)
            if ((x * 7 + y * 3) % 5 == 0) canvas.SetPixel(x, y, RGB(255, 0, 0));
    return canvas;
}

void FramesOf(benchmark::State& state, int import, int exportCode)
{
    const CRasterSurface canvas = Canvas(320, 64, 2);
    SCREENINFO rec;
    rec.byImport = std::uint8_t(import);
    rec.byExport = std::uint8_t(exportCode);
    CPreviewPlayer player(canvas, 320, 64, 2, {rec, rec});
    CPreviewFrame frame;
    for (auto _ : state) {
        player.Next(frame);
        benchmark::DoNotOptimize(frame.m_pPicture->Row(0)[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_MoveFromRight(benchmark::State& state) { FramesOf(state, 0, 0); }
void BM_JumpFromRight(benchmark::State& state) { FramesOf(state, 4, 4); }
void BM_OpenFromCenter(benchmark::State& state) { FramesOf(state, 9, 9); }

void BM_Cartoon(benchmark::State& state)
{
    const CRasterSurface canvas = Canvas(320, 64, 1);
    SCREENINFO rec;
    rec.byImport = 13;
    rec.byExport = 13;
    rec.byAppend = APPEND_CARTOON;
    rec.nCartoon = int(state.range(0));
    CPreviewPlayer player(canvas, 320, 64, 2, {rec});
    CPreviewFrame frame;
    for (auto _ : state) {
        player.Next(frame);
        benchmark::DoNotOptimize(frame.m_pPicture->Row(0)[0]);
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_MoveFromRight);
BENCHMARK(BM_JumpFromRight);
BENCHMARK(BM_OpenFromCenter);
BENCHMARK(BM_Cartoon)->DenseRange(0, 4);
