// How closely the preview keeps its steps on time: a programme with every entry, exit
// and hold plays for 60 s through the preview's own pacer (its timer and steady clock,
// no window) and every frame's start is compared with its nominal time.
//
// Reported: mean and worst lateness of a frame's start, the lateness of the last frame
// (the drift over the run), frames shown, and the CPU used as a share of one core.
// Run alone, once: it takes a minute of wall time.

#include "programme/CPreviewClockPainter.h"
#include "programme/CPreviewPlayer.h"
#include "programme/ui/CPreviewPacer.h"

#include <QCoreApplication>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace {

double CpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// 16 screens: entry i, exit 15 - i, the four speeds in turn; holds of flicker, a pause,
// every cartoon, the clock and nothing.
std::vector<SCREENINFO> EveryEffect()
{
    std::vector<SCREENINFO> table(16);
    const std::uint8_t holds[16] = {APPEND_FLICKER, APPEND_PAUSE, APPEND_CARTOON, APPEND_CARTOON, APPEND_CARTOON,
                                    APPEND_CARTOON, APPEND_CARTOON, 0, APPEND_CONTINUUM, 0, APPEND_FLICKER, 0,
                                    APPEND_TIME, 0, APPEND_PAUSE, 0};
    for (int i = 0; i < 16; ++i) {
        SCREENINFO& r = table[std::size_t(i)];
        r.byImport = std::uint8_t(i);
        r.byExport = std::uint8_t(15 - i);
        r.bySpeed = std::uint8_t(i % 4);
        r.byAppend = holds[i];
        r.nPauseSec = 1;
        r.nCartoon = (i - 2) % 5;
    }
    return table;
}

void BM_PreviewPacing60s(benchmark::State& state)
{
    static int argc = 1;
    static char name[] = "bench_preview_timing";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    constexpr int W = 64, H = 16;
    CRasterSurface canvas(W, H * 16);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < W; ++x)
            if ((x + y) % 3 == 0) canvas.SetPixel(x, y, RGB(255, 0, 0));

    for (auto _ : state) {
        CPreviewPlayer player(canvas, W, H, 2, EveryEffect());
        CPreviewClockPainter clockPainter;
        player.SetTextPainter(&clockPainter);
        CPreviewPacer pacer(player);
        std::int64_t frames = 0, sumLate = 0, worstLate = 0, lastLate = 0;
        pacer.m_fnOnFrame = [&](std::int64_t dueUs, std::int64_t shownUs) {
            const std::int64_t late = shownUs - dueUs;
            ++frames;
            sumLate += late;
            worstLate = std::max(worstLate, late);
            lastLate = late;
        };
        const double cpu0 = CpuSeconds();
        QTimer::singleShot(60000, &app, [&] {
            pacer.Stop();
            app.quit();
        });
        pacer.Start();
        app.exec();
        const double cpu = CpuSeconds() - cpu0;

        state.counters["frames"] = double(frames);
        state.counters["mean_late_ms"] = frames ? double(sumLate) / double(frames) / 1000.0 : 0.0;
        state.counters["worst_late_ms"] = double(worstLate) / 1000.0;
        state.counters["drift_ms"] = double(lastLate) / 1000.0;
        state.counters["cpu_pct_of_core"] = 100.0 * cpu / 60.0;
    }
}

}  // namespace

BENCHMARK(BM_PreviewPacing60s)->Iterations(1)->Unit(benchmark::kSecond);
