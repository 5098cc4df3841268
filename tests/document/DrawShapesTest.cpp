// Polygons, pen strokes, curves and fills.
#include "FakeDrawView.h"

#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawArc.h"
#include "document/CDrawFill.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "document/SelectMode.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

class Shapes : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        g_nSelectMode = SM_NONE;
        s_cursors.clear();
        m_previousCursorFunction = InstallSetCursorFunction([](EDrawCursor c) { s_cursors.push_back(c); });
    }
    void TearDown() override
    {
        InstallSetCursorFunction(m_previousCursorFunction);
        ResetEditorState();
        g_nSelectMode = SM_NONE;
    }
    static inline std::vector<EDrawCursor> s_cursors;
    SetCursorFunction m_previousCursorFunction = nullptr;
};

void AppendI32(Bytes& b, int v)
{
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
}

Bytes BaseImage(CRect r, COLORREF line, COLORREF fill, int pen, int mode)
{
    Bytes b;
    for (int v : {r.left, r.top, r.right, r.bottom, int(line), int(fill), pen, mode}) AppendI32(b, v);
    return b;
}

std::string Picture(const CRasterSurface& s)
{
    std::string out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.GetPixel(x, y);
            out += c == 0 ? '.' : c == 0x0000FF ? 'R' : c == 0x00FF00 ? 'G' : c == 0x00FFFF ? 'Y' : '?';
        }
        out += '\n';
    }
    return out;
}

CDrawPoly* MakePoly(std::initializer_list<CPoint> points, int fillMode = kFillOutline)
{
    auto* poly = new CDrawPoly(CRect(), 0x0000FF, 0x00FF00, 1, fillMode);
    for (CPoint p : points) poly->AddPoint(p, nullptr);
    return poly;
}

// --- polygon ----------------------------------------------------------------------------

TEST_F(Shapes, PolygonHandlesAreItsPointsWithTheSelectCursor)
{
    std::unique_ptr<CDrawPoly> poly(MakePoly({{1, 2}, {8, 3}, {4, 9}}));
    EXPECT_EQ(poly->m_nKind, kKindPoly);
    EXPECT_EQ(poly->HandleCount(), 3);
    EXPECT_EQ(poly->HandlePoint(1), CPoint(1, 2));
    EXPECT_EQ(poly->HandlePoint(3), CPoint(4, 9));
    EXPECT_EQ(poly->m_rcPosition, CRect(1, 2, 8, 9));
    EXPECT_EQ(poly->HandleCursor(2), EDrawCursor::Select);
    EXPECT_EQ(s_cursors, std::vector<EDrawCursor>{EDrawCursor::Select});
}

TEST_F(Shapes, AddPointGrowsInStepsOfTenAndSkipsARepeat)
{
    CVemtDoc doc;
    auto* poly = new CDrawPoly(CRect(), 0xFF, 0, 1, 0);
    doc.AddObj(poly);
    poly->AddPoint({0, 0}, nullptr);
    EXPECT_EQ(poly->m_nAllocPoints, 10);
    poly->AddPoint({0, 0}, nullptr);
    EXPECT_EQ(poly->m_nPoints, 1);
    for (int i = 1; i < 10; ++i) poly->AddPoint({i, i}, nullptr);
    EXPECT_EQ(poly->m_nPoints, 10);
    EXPECT_EQ(poly->m_nAllocPoints, 10);
    poly->AddPoint({20, 0}, nullptr);
    EXPECT_EQ(poly->m_nPoints, 11);
    EXPECT_EQ(poly->m_nAllocPoints, 20);
    EXPECT_EQ(poly->m_rcPosition, CRect(0, 0, 20, 9));
}

TEST_F(Shapes, AddPointInsideTheBoundsRendersTheBounds)
{
    CVemtDoc doc;
    auto* poly = MakePoly({{0, 0}, {10, 10}});
    doc.AddObj(poly);
    doc.SetModifiedFlag(false);
    CFakeDrawView view;
    doc.AddView(&view);
    poly->AddPoint({5, 2}, &view);
    ASSERT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(0, 0, 10, 10));
    EXPECT_TRUE(doc.IsModified());
    // New bounds: the caller's drag renders.
    poly->AddPoint({20, 2}, &view);
    EXPECT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(poly->m_rcPosition, CRect(0, 0, 20, 10));
}

TEST_F(Shapes, PolygonTouchesByItsEdgesIncludingTheClosingOne)
{
    std::unique_ptr<CDrawPoly> two(MakePoly({{0, 0}, {10, 0}}));
    EXPECT_TRUE(two->TouchesRect({4, -1, 6, 1}));
    EXPECT_FALSE(two->TouchesRect({4, 2, 6, 4}));

    std::unique_ptr<CDrawPoly> triangle(MakePoly({{0, 0}, {20, 0}, {20, 20}}));
    EXPECT_TRUE(triangle->TouchesRect({9, 8, 11, 12}));   // closing edge (20,20)-(0,0)
    EXPECT_FALSE(triangle->TouchesRect({14, 3, 16, 5}));  // interior
}

TEST_F(Shapes, ATwoPointPolygonDrawsAsALine)
{
    std::unique_ptr<CDrawPoly> two(MakePoly({{0, 1}, {4, 1}}));
    CRasterSurface s(6, 3, 0);
    CRasterDC dc(s);
    two->Draw(dc, nullptr);
    EXPECT_EQ(Picture(s),
              "......\n"
              "RRRRR.\n"
              "......\n");
}

TEST_F(Shapes, ThreeCoincidingPointsBecomeASmallTriangleForGood)
{
    std::unique_ptr<CDrawPoly> poly(new CDrawPoly(CRect(3, 3, 3, 3), 0x0000FF, 0, 1, 0));
    poly->m_pPoints = {{3, 3}, {3, 3}, {3, 3}};
    poly->m_nPoints = 3;
    poly->m_nAllocPoints = 10;
    CRasterSurface s(8, 8, 0);
    CRasterDC dc(s);
    poly->Draw(dc, nullptr);
    EXPECT_EQ(poly->m_pPoints, (std::vector<CPoint>{{3, 3}, {5, 3}, {5, 5}}));
    EXPECT_NE(Picture(s), Picture(CRasterSurface(8, 8, 0)));
    EXPECT_EQ(s.GetPixel(3, 3), 0x0000FFu);
}

TEST_F(Shapes, PolygonFillModes)
{
    std::unique_ptr<CDrawPoly> poly(MakePoly({{1, 1}, {6, 1}, {6, 5}, {1, 5}}, kFillOutlineAndFill));
    CRasterSurface s(8, 7, 0);
    CRasterDC dc(s);
    poly->Draw(dc, nullptr);
    EXPECT_EQ(s.GetPixel(1, 1), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(3, 3), 0x00FF00u);
    poly->m_nFillMode = kFillOnly;
    s.Fill(0);
    poly->Draw(dc, nullptr);
    EXPECT_EQ(s.GetPixel(3, 3), 0x00FF00u);
    EXPECT_EQ(s.GetPixel(6, 5), 0u);
}

TEST_F(Shapes, PolygonMoveCarriesItsPointsAndDragMovesOnePoint)
{
    CVemtDoc doc;
    auto* poly = MakePoly({{0, 0}, {10, 0}, {10, 5}});
    doc.AddObj(poly);
    CFakeDrawView view;
    doc.AddView(&view);
    poly->MoveToRect({5, 5, 15, 10}, &view, true);
    EXPECT_EQ(poly->m_pPoints, (std::vector<CPoint>{{5, 5}, {15, 5}, {15, 10}}));
    ASSERT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(0, 0, 15, 10));

    poly->DragHandle(3, {15, 10}, &view, true);  // already there
    EXPECT_EQ(view.m_nRenders, 1);
    poly->DragHandle(3, {30, 20}, &view, false);
    EXPECT_EQ(poly->m_rcPosition, CRect(5, 5, 30, 20));
    EXPECT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(g_rcUpdate, CRect(5, 5, 30, 20));
    poly->DragHandle(4, {0, 0}, &view, true);  // no such point
    EXPECT_EQ(poly->m_nPoints, 3);
    poly->DragHandle(1, {6, 6}, nullptr, true);
    EXPECT_EQ(view.m_aUpdates.size(), 2u);
}

TEST_F(Shapes, PolygonCloneCopiesPointsAndAllocatedCount)
{
    CVemtDoc doc;
    auto* poly = MakePoly({{0, 0}, {10, 0}, {10, 5}}, kFillOutlineAndFill);
    doc.AddObj(poly);
    auto* copy = dynamic_cast<CDrawPoly*>(poly->CloneInto(&doc));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.m_objects.back(), copy);
    EXPECT_EQ(copy->m_pPoints, poly->m_pPoints);
    EXPECT_EQ(copy->m_nPoints, 3);
    EXPECT_EQ(copy->m_nAllocPoints, 10);
    EXPECT_EQ(copy->m_rcPosition, poly->m_rcPosition);
    EXPECT_EQ(copy->m_nFillMode, kFillOutlineAndFill);
}

TEST_F(Shapes, PolygonStoresCountsThenPoints)
{
    std::unique_ptr<CDrawPoly> poly(MakePoly({{1, 2}, {3, -4}}));
    CArchive ar;
    poly->Serialize(ar);
    Bytes expected = BaseImage({1, -4, 3, 2}, 0x0000FF, 0x00FF00, 1, 0);
    for (std::uint8_t b : {0x02, 0x00, 0x0A, 0x00}) expected.push_back(b);
    for (int v : {1, 2, 3, -4}) AppendI32(expected, v);
    EXPECT_EQ(ar.Data(), expected);
}

TEST_F(Shapes, APolygonStoredWithTooFewSlotsStillGetsAllItsPoints)
{
    Bytes image = BaseImage({0, 0, 9, 9}, 0xFF, 0, 1, 0);
    for (std::uint8_t b : {0x03, 0x00, 0x01, 0x00}) image.push_back(b);  // 3 points, 1 slot
    for (int v : {0, 0, 9, 0, 9, 9}) AppendI32(image, v);
    CArchive ar(image);
    CDrawPoly poly;
    poly.Serialize(ar);
    ASSERT_FALSE(ar.Failed()) << ar.ErrorMessage();
    EXPECT_EQ(poly.m_nPoints, 3);
    EXPECT_GE(poly.m_nAllocPoints, 3);
    EXPECT_EQ(poly.m_pPoints, (std::vector<CPoint>{{0, 0}, {9, 0}, {9, 9}}));
}

TEST_F(Shapes, APolygonClaimingMorePointsThanTheDataIsRefused)
{
    Bytes image = BaseImage({0, 0, 9, 9}, 0xFF, 0, 1, 0);
    for (std::uint8_t b : {0xFF, 0xFF, 0xFF, 0xFF}) image.push_back(b);
    AppendI32(image, 1);
    CArchive ar(image);
    CDrawPoly poly;
    poly.Serialize(ar);
    EXPECT_TRUE(ar.Failed());
    EXPECT_EQ(poly.m_nPoints, 0);
    EXPECT_TRUE(poly.m_pPoints.empty());
}

// --- pen stroke -----------------------------------------------------------------------

void SetPoints(CStroke& s, std::initializer_list<CPoint> points)
{
    s.m_aPoints = points;
    s.RecalcBounds();
    s.m_rcPosition = s.m_rcBounds;
}

TEST_F(Shapes, AStrokeOnOneDotHasNoHandles)
{
    CStroke dot(1, 0x0000FF);
    SetPoints(dot, {{4, 4}, {4, 4}, {4, 4}});
    EXPECT_FALSE(dot.IsExtended());
    EXPECT_EQ(dot.HandleCount(), 0);
    EXPECT_EQ(dot.HandlePoint(3), CPoint(4, 4));
    EXPECT_EQ(dot.HitTestPoint({4, 4}, nullptr, true), 0);
    CStroke line(1, 0x0000FF);
    SetPoints(line, {{4, 4}, {8, 6}});
    EXPECT_TRUE(line.IsExtended());
    EXPECT_EQ(line.HandleCount(), 8);
    EXPECT_EQ(line.HandlePoint(5), CPoint(8, 6));
    EXPECT_EQ(line.HandleCursor(5), EDrawCursor::Select);
    EXPECT_EQ(s_cursors.size(), 1u);
    CStroke empty(1, 0xFF);
    EXPECT_EQ(empty.m_nKind, kKindStroke);
    EXPECT_TRUE(empty.m_rcBounds.IsRectNull());
    EXPECT_EQ(empty.m_crFill, 0u);
    EXPECT_EQ(empty.m_nFillMode, 0);
}

struct DotTouchCase {
    const char* name;
    int zoomIndex;
    int selectMode;
    CRect probe;
    bool expected;
};

const DotTouchCase kDotTouchCases[] = {
    {"zoomed: a click exactly on the dot", 2, SM_NONE, {3, 3, 5, 5}, true},
    {"zoomed: a click one dot beside it", 2, SM_NONE, {4, 3, 6, 5}, false},
    {"zoomed rubber band: any box around it", 2, SM_NETSELECT, {0, 0, 10, 10}, true},
    {"zoom 0: the click square around it", 0, SM_NONE, {2, 2, 8, 8}, true},
    {"zoom 0: a square beside it", 0, SM_NONE, {5, 5, 8, 8}, false},
};

class DotTouch : public Shapes, public testing::WithParamInterface<DotTouchCase> {};

TEST_P(DotTouch, PicksASingleDotStroke)
{
    const DotTouchCase& c = GetParam();
    g_nZoomIndex = c.zoomIndex;
    g_nSelectMode = c.selectMode;
    CStroke dot(1, 0x0000FF);
    SetPoints(dot, {{4, 4}, {4, 4}});
    EXPECT_EQ(dot.TouchesRect(c.probe), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, DotTouch, testing::ValuesIn(kDotTouchCases));

TEST_F(Shapes, AStrokeOfOnePointHasNoSegmentToTouch)
{
    CStroke one(1, 0x0000FF);
    SetPoints(one, {{4, 4}});
    EXPECT_FALSE(one.TouchesRect({0, 0, 10, 10}));
    g_nZoomIndex = 1;
    EXPECT_TRUE(one.TouchesRect({3, 3, 5, 5}));
}

TEST_F(Shapes, DraggingAnyStrokeHandleMovesItWithoutChangingItsShape)
{
    CVemtDoc doc;
    auto* stroke = new CStroke(1, 0xFF);
    stroke->m_aPoints = {{10, 10}, {14, 12}, {12, 16}};
    stroke->RecalcBounds();
    stroke->m_rcPosition = stroke->m_rcBounds;
    doc.AddObj(stroke);
    CFakeDrawView view;
    doc.AddView(&view);
    stroke->DragHandle(5, {20, 20}, &view, true);  // handle 5 was (14, 16)
    EXPECT_EQ(stroke->m_aPoints, (std::vector<CPoint>{{16, 14}, {20, 16}, {18, 20}}));
    EXPECT_EQ(stroke->m_rcBounds, CRect(16, 14, 20, 20));
    EXPECT_EQ(stroke->m_rcPosition, CRect(16, 14, 20, 20));
    ASSERT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(10, 10, 20, 20));
}

TEST_F(Shapes, AStrokeDrawsLinesOrOneDot)
{
    CStroke line(1, 0x0000FF);
    SetPoints(line, {{0, 0}, {3, 0}, {3, 2}});
    CRasterSurface s(5, 4, 0);
    CRasterDC dc(s);
    line.Draw(dc, nullptr);
    EXPECT_EQ(Picture(s),
              "RRRR.\n"
              "...R.\n"
              ".....\n"
              ".....\n");
    CStroke dot(1, 0x0000FF);
    SetPoints(dot, {{2, 2}, {2, 2}});
    s.Fill(0);
    dot.Draw(dc, nullptr);
    EXPECT_EQ(Picture(s),
              ".....\n"
              ".....\n"
              "..R..\n"
              ".....\n");
    // None of its points in the area to draw: nothing.
    g_rcUpdate = {0, 0, 2, 2};
    s.Fill(0);
    dot.Draw(dc, nullptr);
    EXPECT_EQ(s.GetPixel(2, 2), 0u);
}

TEST_F(Shapes, ASingleDotHandleIsTheZoomedDot)
{
    CStroke dot(1, 0x0000FF);
    SetPoints(dot, {{4, 5}});
    CFakeDrawView view;
    view.m_nZoom = 6;
    view.m_ptScroll = {2, 2};
    EXPECT_EQ(dot.HandleSquares(kTrackerSelected, &view), std::vector<CRect>{CRect(12, 18, 18, 24)});
    view.m_nZoom = 1;
    EXPECT_EQ(dot.HandleSquares(kTrackerSelected, &view), std::vector<CRect>{CRect(-1, 0, 6, 7)});
    EXPECT_TRUE(dot.HandleSquares(kTrackerNormal, &view).empty());
}

TEST_F(Shapes, StrokeStoresBoundsCountAndPoints)
{
    CStroke stroke(1, 0x0000FF);
    SetPoints(stroke, {{1, 2}, {3, 4}});
    CArchive ar;
    stroke.Serialize(ar);
    Bytes expected = BaseImage({1, 2, 3, 4}, 0x0000FF, 0, 1, 0);
    for (int v : {1, 2, 3, 4}) AppendI32(expected, v);
    expected.push_back(0x02);
    expected.push_back(0x00);
    for (int v : {1, 2, 3, 4}) AppendI32(expected, v);
    EXPECT_EQ(ar.Data(), expected);

    CArchive in(expected);
    CStroke back;
    back.Serialize(in);
    ASSERT_FALSE(in.Failed()) << in.ErrorMessage();
    EXPECT_EQ(back.m_aPoints, stroke.m_aPoints);
    EXPECT_EQ(back.m_rcBounds, CRect(1, 2, 3, 4));
    EXPECT_EQ(back.m_nKind, kKindStroke);
}

TEST_F(Shapes, AStrokeOf65535PointsUsesTheLongCount)
{
    CStroke stroke(1, 0xFF);
    stroke.m_aPoints.assign(0xFFFF, CPoint(1, 1));
    CArchive ar;
    stroke.Serialize(ar);
    const Bytes& d = ar.Data();
    ASSERT_EQ(d.size(), 32u + 16 + 6 + 0xFFFFu * 8);
    EXPECT_EQ(Bytes(d.begin() + 48, d.begin() + 54), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    CArchive in(d);
    CStroke back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(back.m_aPoints.size(), 0xFFFFu);
}

TEST_F(Shapes, AStrokeClaimingMillionsOfPointsIsRefused)
{
    Bytes image = BaseImage({0, 0, 1, 1}, 0xFF, 0, 1, 0);
    for (int v : {0, 0, 1, 1}) AppendI32(image, v);
    for (std::uint8_t b : {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10}) image.push_back(b);
    AppendI32(image, 0);
    CArchive ar(image);
    CStroke stroke;
    stroke.Serialize(ar);
    EXPECT_TRUE(ar.Failed());
    EXPECT_TRUE(stroke.m_aPoints.empty());
}

TEST_F(Shapes, AStrokeCloneKeepsItsPlace)
{
    CVemtDoc doc;
    auto* stroke = new CStroke(1, 0x00FF00);
    stroke->m_aPoints = {{10, 100}, {20, 110}};
    stroke->RecalcBounds();
    stroke->m_rcPosition = stroke->m_rcBounds;
    doc.AddObj(stroke);
    auto* copy = dynamic_cast<CStroke*>(stroke->CloneInto(&doc));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->m_aPoints, stroke->m_aPoints);
    EXPECT_EQ(copy->m_rcBounds, stroke->m_rcBounds);
    EXPECT_EQ(copy->m_rcPosition, CRect(10, 100, 20, 110));
    EXPECT_EQ(copy->m_crLine, 0x00FF00u);
    EXPECT_EQ(copy->m_nPenWidth, 1);
}

// --- curve ----------------------------------------------------------------------------

TEST_F(Shapes, ANewCurvesControlPointStartsFiveRightAndFiveUp)
{
    CDrawArc arc({20, 30}, 2, 0x0000FF);
    EXPECT_EQ(arc.m_nKind, kKindArc);
    EXPECT_EQ(arc.m_ptStart, CPoint(20, 30));
    EXPECT_EQ(arc.m_ptEnd, CPoint(20, 30));
    EXPECT_EQ(arc.m_ptCtrl2, CPoint(20, 30));
    EXPECT_EQ(arc.m_ptCtrl1, CPoint(25, 25));
    EXPECT_EQ(arc.m_crFill, 0u);
    EXPECT_EQ(arc.m_nFillMode, 0);
    EXPECT_EQ(arc.HandleCount(), 4);
    EXPECT_EQ(arc.HandlePoint(3), CPoint(25, 25));
    EXPECT_EQ(arc.HandleCursor(1), EDrawCursor::Select);
}

TEST_F(Shapes, DraggingACurveHandleMovesThatPointAndTheBounds)
{
    CVemtDoc doc;
    auto* arc = new CDrawArc({20, 30}, 1, 0xFF);
    doc.AddObj(arc);
    CFakeDrawView view;
    doc.AddView(&view);
    arc->DragHandle(2, {40, 35}, &view, true);
    EXPECT_EQ(arc->m_ptEnd, CPoint(40, 35));
    EXPECT_EQ(arc->m_rcPosition, CRect(20, 25, 40, 35));
    ASSERT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(20, 25, 40, 35));
    arc->DragHandle(4, {10, 50}, nullptr, false);
    EXPECT_EQ(arc->m_ptCtrl2, CPoint(10, 50));
    EXPECT_EQ(view.m_aUpdates.size(), 2u);

    arc->MoveToRect({0, 0, 1, 1}, &view, false);
    EXPECT_EQ(arc->m_ptStart, CPoint(10, 5));
    EXPECT_EQ(arc->m_ptCtrl2, CPoint(0, 25));
    EXPECT_EQ(arc->m_rcPosition, CRect(0, 0, 30, 25));
}

TEST_F(Shapes, CurveSamplesFollowTheBezier)
{
    CDrawArc arc({0, 0}, 1, 0xFF);
    arc.m_ptCtrl1 = {10, 0};
    arc.m_ptCtrl2 = {20, 0};
    arc.m_ptEnd = {30, 0};
    arc.RecalcBounds();
    EXPECT_EQ(arc.Sample(0), CPoint(0, 0));
    EXPECT_EQ(arc.Sample(1000), CPoint(15, 0));
    EXPECT_EQ(arc.Sample(2000), CPoint(30, 0));
    EXPECT_TRUE(arc.TouchesRect({15, 0, 16, 1}));
    EXPECT_FALSE(arc.TouchesRect({15, 1, 16, 3}));

    CDrawArc bent({0, 0}, 1, 0xFF);
    bent.m_ptCtrl1 = {0, 40};
    bent.m_ptCtrl2 = {40, 40};
    bent.m_ptEnd = {40, 0};
    EXPECT_EQ(bent.Sample(1000), CPoint(20, 30));
    EXPECT_TRUE(bent.TouchesRect({19, 29, 21, 31}));
    EXPECT_FALSE(bent.TouchesRect({15, 10, 25, 20}));
}

TEST_F(Shapes, CurveStoresStartEndThenControls)
{
    CDrawArc arc({1, 2}, 1, 0xFF);
    arc.m_ptEnd = {3, 4};
    arc.m_ptCtrl2 = {7, 8};
    CArchive ar;
    arc.Serialize(ar);
    Bytes expected = BaseImage({1, 2, 1, 2}, 0xFF, 0, 1, 0);
    for (int v : {1, 2, 3, 4, 6, -3, 7, 8}) AppendI32(expected, v);
    EXPECT_EQ(ar.Data(), expected);
    CArchive in(expected);
    CDrawArc back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_EQ(back.m_ptCtrl1, CPoint(6, -3));
    EXPECT_EQ(back.m_ptEnd, CPoint(3, 4));
}

TEST_F(Shapes, AStraightCurveIsStillDrawnWhenItsBoxIsFlat)
{
    CDrawArc arc({0, 2}, 1, 0x0000FF);
    arc.m_ptCtrl1 = {3, 2};
    arc.m_ptCtrl2 = {6, 2};
    arc.m_ptEnd = {9, 2};
    arc.RecalcBounds();
    g_rcUpdate = {0, 0, 12, 5};
    CRasterSurface s(12, 5, 0);
    CRasterDC dc(s);
    arc.Draw(dc, nullptr);
    EXPECT_EQ(s.GetPixel(4, 2), 0x0000FFu);
}

TEST_F(Shapes, CurveCloneCopiesItsPoints)
{
    CDrawArc arc({1, 2}, 3, 0xFF);
    arc.m_ptEnd = {30, 40};
    arc.RecalcBounds();
    std::unique_ptr<CDrawObj> copy(arc.CloneInto(nullptr));
    auto* c = dynamic_cast<CDrawArc*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->m_ptEnd, CPoint(30, 40));
    EXPECT_EQ(c->m_ptCtrl1, CPoint(6, -3));
    EXPECT_EQ(c->m_nPenWidth, 3);
    EXPECT_EQ(c->m_rcPosition, arc.m_rcPosition);
}

// --- fill -----------------------------------------------------------------------------

TEST_F(Shapes, AFillFloodsTheUnlitAreaWithItsLineColour)
{
    CDrawRect frame({0, 0, 6, 5}, 0x0000FF, 0, 1, kFillOutline);
    CDrawFill fill({2, 2, 2, 2}, 0x00FF00, 0x000000);
    EXPECT_NE(fill.m_nKind, kKindRect);
    EXPECT_EQ(fill.m_nPenWidth, 1);
    CRasterSurface s(8, 6, 0);
    CRasterDC dc(s);
    frame.Draw(dc, nullptr);
    fill.Draw(dc, nullptr);
    EXPECT_EQ(Picture(s),
              "RRRRRR..\n"
              "RGGGGR..\n"
              "RGGGGR..\n"
              "RGGGGR..\n"
              "RRRRRR..\n"
              "........\n");
}

TEST_F(Shapes, AFillSeededOnALitDotFillsNothing)
{
    CDrawRect frame({0, 0, 6, 5}, 0x0000FF, 0, 1, kFillOutline);
    CDrawFill fill({0, 2, 0, 2}, 0x00FF00, 0x000000);
    CRasterSurface s(8, 6, 0);
    CRasterDC dc(s);
    frame.Draw(dc, nullptr);
    const std::string before = Picture(s);
    fill.Draw(dc, nullptr);
    EXPECT_EQ(Picture(s), before);
}

TEST_F(Shapes, AFillStoresOnlyTheBaseFieldsAndClonesItsColours)
{
    CDrawFill fill({2, 3, 2, 3}, 0x0000FF, 0x00FFFF);
    CArchive ar;
    fill.Serialize(ar);
    EXPECT_EQ(ar.Data(), BaseImage({2, 3, 2, 3}, 0x0000FF, 0x00FFFF, 1, 0));
    std::unique_ptr<CDrawObj> copy(fill.CloneInto(nullptr));
    ASSERT_NE(dynamic_cast<CDrawFill*>(copy.get()), nullptr);
    EXPECT_EQ(copy->m_rcPosition, CRect(2, 3, 2, 3));
    EXPECT_EQ(copy->m_crLine, 0x0000FFu);
    EXPECT_EQ(copy->m_crFill, 0x00FFFFu);
}

}  // namespace
