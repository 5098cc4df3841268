// Renders a full 150-screen canvas (320 x 9600 dots) holding 2,000 mixed shapes with the
// raster engine and, for scale, the same shapes with QPainter (antialiasing off) on a
// QImage of the same size. BM_Compare reports both times and their ratio.

#include "raster/CRasterDC.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 64 * 150;
constexpr int kShapes = 2000;

enum class ShapeKind { Rect, RoundRect, Ellipse, Line, Polygon, Polyline, Bezier, Count };

struct CBenchShape {
    ShapeKind m_kind;
    int m_nPenWidth;   // 1..5
    int m_nFillMode;   // 0 outline, 1 outline and fill, 2 fill only
    COLORREF m_crLine;
    COLORREF m_crFill;
    CRect m_rc;
    CPoint m_ptRound;
    std::vector<CPoint> m_aPoints;
};

std::vector<CBenchShape> MakeShapes()
{
    std::mt19937 rng(20240611);
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const COLORREF colours[] = {0x0000FF, 0x00FF00, 0x00FFFF};
    std::vector<CBenchShape> shapes;
    for (int i = 0; i < kShapes; ++i) {
        CBenchShape s;
        s.m_kind = ShapeKind(i % int(ShapeKind::Count));
        s.m_nPenWidth = uniform(1, 5);
        s.m_nFillMode = uniform(0, 2);
        s.m_crLine = colours[uniform(0, 2)];
        s.m_crFill = colours[uniform(0, 2)];
        const int x = uniform(-30, kWidth - 10), y = uniform(-20, kHeight - 10);
        const int w = uniform(4, 80), h = uniform(4, 60);
        s.m_rc = {x, y, x + w, y + h};
        s.m_ptRound = {uniform(4, 24), uniform(4, 24)};
        const int n = s.m_kind == ShapeKind::Bezier ? 4 : uniform(3, 8);
        for (int k = 0; k < n; ++k) s.m_aPoints.push_back({x + uniform(0, w), y + uniform(0, h)});
        shapes.push_back(std::move(s));
    }
    return shapes;
}

const std::vector<CBenchShape>& Shapes()
{
    static const std::vector<CBenchShape> shapes = MakeShapes();
    return shapes;
}

bool IsOpenPath(ShapeKind k) { return k == ShapeKind::Line || k == ShapeKind::Polyline || k == ShapeKind::Bezier; }

void DrawOurs(CRasterSurface& surface)
{
    surface.Fill(0);
    CRasterDC dc(surface);
    for (const CBenchShape& s : Shapes()) {
        const bool open = IsOpenPath(s.m_kind);
        dc.SelectPen(!open && s.m_nFillMode == 2 ? CRasterPen::Null() : CRasterPen::Solid(s.m_nPenWidth, s.m_crLine));
        dc.SelectBrush(open || s.m_nFillMode == 0 ? CRasterBrush::Null() : CRasterBrush::Solid(s.m_crFill));
        const auto& p = s.m_aPoints;
        switch (s.m_kind) {
        case ShapeKind::Rect: dc.Rectangle(s.m_rc); break;
        case ShapeKind::RoundRect: dc.RoundRect(s.m_rc, s.m_ptRound); break;
        case ShapeKind::Ellipse: dc.Ellipse(s.m_rc); break;
        case ShapeKind::Line: dc.MoveTo(s.m_rc.TopLeft()); dc.LineTo(s.m_rc.BottomRight()); break;
        case ShapeKind::Polygon: dc.Polygon(p.data(), int(p.size())); break;
        case ShapeKind::Polyline: dc.Polyline(p.data(), int(p.size())); break;
        case ShapeKind::Bezier: dc.PolyBezier(p.data(), int(p.size())); break;
        case ShapeKind::Count: break;
        }
    }
}

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

void DrawQt(QImage& image)
{
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const CBenchShape& s : Shapes()) {
        const bool open = IsOpenPath(s.m_kind);
        if (!open && s.m_nFillMode == 2) painter.setPen(Qt::NoPen);
        else painter.setPen(QPen(ToQColor(s.m_crLine), s.m_nPenWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (open || s.m_nFillMode == 0) painter.setBrush(Qt::NoBrush);
        else painter.setBrush(ToQColor(s.m_crFill));
        const QRect r(s.m_rc.left, s.m_rc.top, s.m_rc.Width(), s.m_rc.Height());
        QPolygon poly;
        for (const CPoint& q : s.m_aPoints) poly << QPoint(q.x, q.y);
        switch (s.m_kind) {
        case ShapeKind::Rect: painter.drawRect(r); break;
        case ShapeKind::RoundRect:
            painter.drawRoundedRect(r, s.m_ptRound.x / 2.0, s.m_ptRound.y / 2.0);
            break;
        case ShapeKind::Ellipse: painter.drawEllipse(r); break;
        case ShapeKind::Line: painter.drawLine(s.m_rc.left, s.m_rc.top, s.m_rc.right, s.m_rc.bottom); break;
        case ShapeKind::Polygon: painter.drawPolygon(poly); break;
        case ShapeKind::Polyline: painter.drawPolyline(poly); break;
        case ShapeKind::Bezier: {
            QPainterPath path(poly[0]);
            path.cubicTo(poly[1], poly[2], poly[3]);
            painter.drawPath(path);
            break;
        }
        case ShapeKind::Count: break;
        }
    }
}

void BM_RasterEngine(benchmark::State& state)
{
    CRasterSurface surface(kWidth, kHeight);
    for (auto _ : state) {
        DrawOurs(surface);
        benchmark::DoNotOptimize(surface.Row(0)[0]);
    }
    state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_RasterEngine)->Unit(benchmark::kMillisecond);

void BM_QPainter(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawQt(image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_QPainter)->Unit(benchmark::kMillisecond);

// Both in the same run, alternating, so that the ratio is not skewed by machine load.
void BM_Compare(benchmark::State& state)
{
    CRasterSurface surface(kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    using Clock = std::chrono::steady_clock;
    double ours = 0, qt = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        DrawOurs(surface);
        const auto t1 = Clock::now();
        DrawQt(image);
        const auto t2 = Clock::now();
        ours += std::chrono::duration<double, std::milli>(t1 - t0).count();
        qt += std::chrono::duration<double, std::milli>(t2 - t1).count();
        benchmark::DoNotOptimize(surface.Row(0)[0]);
        benchmark::DoNotOptimize(image.constBits());
    }
    const double n = double(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["qpainter_ms"] = qt / n;
    state.counters["ours_per_qpainter"] = qt > 0 ? ours / qt : 0;
}
BENCHMARK(BM_Compare)->Unit(benchmark::kMillisecond);

} // namespace
