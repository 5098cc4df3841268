// Saving and loading a large message: 20,000 objects of the common kinds, through the
// document file's bytes and through the file system (atomic write, bounded read).

#include "app/CVemtApp.h"
#include "document/CDrawFont.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kObjects = 20000;

void Fill(CVemtDoc& doc)
{
    for (int i = 0; i < kObjects; ++i) {
        const int x = (i * 7) % 300, y = (i * 13) % 1200;
        switch (i % 4) {
        case 0: {
            auto* r = new CDrawRect(CRect(x, y, x + 12, y + 9), 0x0000FF, 0x00FF00, 1, i % 3);
            r->m_nShape = i % 4 == 0 ? (i / 4) % 4 : 0;
            doc.AddObj(r);
            break;
        }
        case 1: {
            auto* p = new CDrawPoly(CRect(x, y, x + 10, y + 10), 0x00FF00, 0x0000FF, 1, 1);
            p->m_pPoints = {{x, y}, {x + 10, y + 3}, {x + 4, y + 10}, {x, y + 6}};
            p->m_nPoints = 4;
            p->m_nAllocPoints = 10;
            doc.AddObj(p);
            break;
        }
        case 2: {
            auto* s = new CStroke(1, 0x00FFFF);
            for (int k = 0; k < 12; ++k) s->m_aPoints.emplace_back(x + k, y + (k * k) % 7);
            s->RecalcBounds();
            s->m_rcPosition = s->m_rcBounds;
            doc.AddObj(s);
            break;
        }
        default: {
            auto* t = new CDrawFont(CRect(x, y, x + 40, y + 16), 0x0000FF, 0);
            const char text[] = "Sale today\r\n50% off";
            t->m_pszText.assign(text, text + sizeof text);
            t->m_nTextSize = int(sizeof text);
            t->m_strRawText = "Sale today\r\n50% off";
            doc.AddObj(t);
            break;
        }
        }
    }
}

std::string TempPath()
{
    char templ[] = "/tmp/vemt-bench-XXXXXX";
    const char* dir = ::mkdtemp(templ);
    return std::string(dir ? dir : "/tmp") + "/big.KVX";
}

void BM_SaveBytes(benchmark::State& state)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    Fill(doc);
    std::size_t size = 0;
    for (auto _ : state) {
        auto bytes = CKvxFile::WriteKvx(doc, app);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_SaveBytes)->Unit(benchmark::kMillisecond);

void BM_LoadBytes(benchmark::State& state)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    Fill(doc);
    const auto bytes = CKvxFile::WriteKvx(doc, app);
    for (auto _ : state) {
        CVemtApp app2;
        CVemtDoc doc2(&app2);
        if (!CKvxFile::ReadKvx(bytes, doc2, app2, "big.KVX").Ok()) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(doc2.m_objects.data());
    }
}
BENCHMARK(BM_LoadBytes)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    Fill(doc);
    const std::string path = TempPath();
    std::string error;
    for (auto _ : state) {
        if (!CFileBytes::WriteAtomically(path, CKvxFile::WriteKvx(doc, app), error))
            state.SkipWithError(error.c_str());
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void BM_LoadFile(benchmark::State& state)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    Fill(doc);
    const std::string path = TempPath();
    std::string error;
    CFileBytes::WriteAtomically(path, CKvxFile::WriteKvx(doc, app), error);
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        CFileBytes::Read(path, CKvxFile::kMaxFileBytes, bytes, error);
        CVemtApp app2;
        CVemtDoc doc2(&app2);
        if (!CKvxFile::ReadKvx(bytes, doc2, app2, path).Ok()) state.SkipWithError("load failed");
    }
    ::unlink(path.c_str());
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond);

}  // namespace
