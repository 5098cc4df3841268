// Preparing and drawing text objects: 1,000 objects of 40 characters on a 160 x 16 sign.

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"
#include "text/CMonoFont.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kObjects = 1000;

std::vector<std::string> Texts(bool chinese)
{
    std::vector<std::string> texts;
    for (int i = 0; i < kObjects; ++i) {
        std::string t;
        if (chinese) {
            // 20 GB2312 characters (40 bytes) from the first level of the table.
            for (int k = 0; k < 20; ++k) {
                t += char(0xB0 + (i + k) % 40);
                t += char(0xA1 + (i * 7 + k) % 90);
            }
        } else {
            for (int k = 0; k < 40; ++k) t += char('A' + (i + k * 3) % 58);
            t[10] = '\t';
        }
        texts.push_back(t);
    }
    return texts;
}

void PrepareAndDraw(benchmark::State& state, bool chinese)
{
    ResetEditorState();
    CVemtApp app;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 20;
    const std::vector<std::string> texts = Texts(chinese);
    CRasterSurface surface(160, 16 * 20, 0);
    for (auto _ : state) {
        CVemtDoc doc(&app);
        CRasterDC dc(surface);
        for (int i = 0; i < kObjects; ++i) {
            auto* obj = new CDrawFont(CRect(0, (i % 16) * 16, 20, (i % 16) * 16 + 20), 0x0000FF, 0);
            doc.AddObj(obj);
            CTextEntryValues entry;
            entry.m_szFaceName = chinese ? "\xCB\xCE\xCC\xE5" : "MS Sans Serif";
            entry.m_nCharSet = chinese ? 134 : 0;
            entry.m_nFontSize = 12;
            entry.m_strText = texts[std::size_t(i)];
            obj->PrepareText(entry);
            obj->Draw(dc, nullptr);
            obj->m_rcPosition.right = obj->m_rcPosition.left + obj->m_nTextWidth;
            obj->m_rcPosition.bottom = obj->m_rcPosition.top + obj->m_nTextHeight;
            obj->Draw(dc, nullptr);
        }
        benchmark::DoNotOptimize(surface.Pixels().data());
    }
    state.SetItemsProcessed(state.iterations() * kObjects);
}

void BM_PrepareAndDrawLatin(benchmark::State& state) { PrepareAndDraw(state, false); }
void BM_PrepareAndDrawGb2312(benchmark::State& state) { PrepareAndDraw(state, true); }

void BM_MeasureLine(benchmark::State& state)
{
    CLogFont lf;
    lf.m_nHeight = CLogFont::HeightFromPointSize(12);
    lf.m_szFaceName = "Arial";
    auto font = CMonoFont::Create(lf);
    const std::string line = "Forty characters of a moving message...!";
    for (auto _ : state) benchmark::DoNotOptimize(font->GetTextExtent(line.data(), int(line.size())));
}

}  // namespace

BENCHMARK(BM_PrepareAndDrawLatin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareAndDrawGb2312)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureLine);
