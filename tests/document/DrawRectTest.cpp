#include "FakeDrawView.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DrawRect : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

CDrawRect* MakeShape(int shape, CRect r, int penWidth = 1, int fillMode = 0)
{
    auto* obj = new CDrawRect(r, 0x0000FF, 0x00FF00, penWidth, fillMode);
    obj->m_nShape = shape;
    return obj;
}

// --- handles -------------------------------------------------------------------------

struct HandleCase {
    const char* name;
    int shape;
    CRect rect;
    int createShape, zoomIndex, penWidth;
    int handle;
    CPoint expected;
};

const HandleCase kHandleCases[] = {
    {"rectangle top-left", 0, {0, 0, 11, 7}, 0, 0, 1, 1, {0, 0}},
    {"rectangle top middle truncates", 0, {0, 0, 11, 7}, 0, 0, 1, 2, {5, 0}},
    {"rectangle top-right", 0, {0, 0, 11, 7}, 0, 0, 1, 3, {11, 0}},
    {"rectangle right middle", 0, {0, 0, 11, 7}, 0, 0, 1, 4, {11, 3}},
    {"rectangle bottom-right", 0, {0, 0, 11, 7}, 0, 0, 1, 5, {11, 7}},
    {"rectangle bottom middle", 0, {0, 0, 11, 7}, 0, 0, 1, 6, {5, 7}},
    {"rectangle bottom-left", 0, {0, 0, 11, 7}, 0, 0, 1, 7, {0, 7}},
    {"rectangle left middle", 0, {0, 0, 11, 7}, 0, 0, 1, 8, {0, 3}},
    {"handle 0 is the top-left", 0, {0, 0, 11, 7}, 0, 0, 1, 0, {0, 0}},
    {"handle 12 is the top-left", 0, {0, 0, 11, 7}, 0, 0, 1, 12, {0, 0}},
    {"inverted rectangle middle truncates toward zero", 0, {11, 7, 0, 0}, 0, 0, 1, 2, {6, 7}},
    {"inverted line keeps its start", 3, {10, 5, 2, 1}, 0, 0, 1, 1, {10, 5}},
    {"inverted line handle 2 is its end", 3, {10, 5, 2, 1}, 0, 0, 1, 2, {2, 1}},
    {"tool line zoomed shifts right and down", 3, {10, 5, 2, 1}, 3, 1, 1, 2, {3, 2}},
    {"tool line at zoom 0 is not shifted", 3, {10, 5, 2, 1}, 3, 0, 1, 2, {2, 1}},
    {"tool line with a wide pen is not shifted", 3, {10, 5, 2, 1}, 3, 2, 3, 1, {10, 5}},
    {"tool line with pen width 0 counts as 1", 3, {10, 5, 2, 1}, 3, 2, 0, 1, {11, 6}},
    {"line read from a file is never shifted", 3, {10, 5, 2, 1}, 0, 3, 1, 1, {10, 5}},
    {"rounding handle inside", 1, {0, 0, 20, 10}, 0, 0, 1, 9, {12, 2}},
};

class RectHandles : public DrawRect, public testing::WithParamInterface<HandleCase> {};

TEST_P(RectHandles, SitAtTheEdgesOfTheRectangle)
{
    const HandleCase& c = GetParam();
    CDrawRect obj(c.rect, 0xFF, 0, c.penWidth, 0);
    obj.m_nShape = c.shape;
    obj.m_nCreateShape = c.createShape;
    obj.m_ptRound = {16, 16};
    g_nZoomIndex = c.zoomIndex;
    EXPECT_EQ(obj.HandlePoint(c.handle), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, RectHandles, testing::ValuesIn(kHandleCases));

TEST_F(DrawRect, PenWidthZeroBecomesOneWhenAHandleIsAskedFor)
{
    CDrawRect obj({0, 0, 4, 4}, 0xFF, 0, 0, 0);
    obj.HandlePoint(1);
    EXPECT_EQ(obj.m_nPenWidth, 1);
}

struct RoundHandleCase {
    const char* name;
    CRect rect;
    CPoint round;
    CPoint expected;
};

const RoundHandleCase kRoundHandleCases[] = {
    {"inside the rectangle", {0, 0, 20, 10}, {16, 16}, {12, 2}},
    {"inverted rectangle is normalised", {20, 10, 0, 0}, {16, 16}, {12, 2}},
    {"rounding larger than the rectangle", {0, 0, 20, 10}, {40, 40}, {18, 8}},
    {"rounding 0 lands on the excluded corner", {0, 0, 20, 10}, {0, 0}, {18, 8}},
    {"a single-point rectangle", {5, 5, 5, 5}, {16, 16}, {5, 5}},
};

class RoundHandle : public DrawRect, public testing::WithParamInterface<RoundHandleCase> {};

TEST_P(RoundHandle, IsTheRoundingHandle)
{
    const RoundHandleCase& c = GetParam();
    CDrawRect obj(c.rect, 0xFF, 0, 1, 0);
    obj.m_nShape = kShapeRoundRect;
    obj.m_ptRound = c.round;
    EXPECT_EQ(obj.HandleCount(), 9);
    EXPECT_EQ(obj.HandlePoint(9), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHandle, testing::ValuesIn(kRoundHandleCases));

TEST_F(DrawRect, HandleCountsAndCursorsFollowTheShape)
{
    CDrawRect line({0, 0, 5, 5}, 0, 0, 1, 0);
    line.m_nShape = kShapeLine;
    EXPECT_EQ(line.HandleCount(), 2);
    EXPECT_EQ(line.HandleCursor(2), EDrawCursor::SizeNWSE);

    CDrawRect oval({0, 0, 5, 5}, 0, 0, 1, 0);
    oval.m_nShape = kShapeOval;
    EXPECT_EQ(oval.HandleCount(), 8);
    const EDrawCursor expected[] = {EDrawCursor::SizeNWSE, EDrawCursor::SizeNWSE,
                                    EDrawCursor::SizeNS,   EDrawCursor::SizeNESW,
                                    EDrawCursor::SizeWE,   EDrawCursor::SizeNWSE,
                                    EDrawCursor::SizeNS,   EDrawCursor::SizeNESW,
                                    EDrawCursor::SizeWE,   EDrawCursor::SizeNWSE};
    for (int n = 0; n <= 9; ++n) EXPECT_EQ(oval.HandleCursor(n), expected[n]) << "handle " << n;

    CDrawRect round({0, 0, 5, 5}, 0, 0, 1, 0);
    round.m_nShape = kShapeRoundRect;
    EXPECT_EQ(round.HandleCursor(9), EDrawCursor::SizeAll);
}

TEST_F(DrawRect, HandleSquaresAreSevenPixelsAroundTheZoomedHandle)
{
    CDrawRect obj({10, 10, 20, 14}, 0, 0, 1, 0);
    CFakeDrawView view;
    view.m_nZoom = 2;
    view.m_ptScroll = {1, 1};
    EXPECT_TRUE(obj.HandleSquares(kTrackerNormal, &view).empty());
    const std::vector<CRect> squares = obj.HandleSquares(kTrackerSelected, &view);
    ASSERT_EQ(squares.size(), 8u);
    EXPECT_EQ(squares[0], CRect(15, 15, 22, 22));  // handle (10, 10) at pixel (18, 18)
    EXPECT_EQ(squares[4], CRect(35, 23, 42, 30));  // handle (20, 14) at pixel (38, 26)
    EXPECT_EQ(obj.HandleSquares(kTrackerActive, &view).size(), 8u);
}

TEST_F(DrawRect, DrawHandlesPaintsTheSquareFrames)
{
    CDrawRect obj({3, 3, 3, 3}, 0, 0, 1, 0);
    obj.m_nShape = kShapeLine;
    CFakeDrawView view;
    CRasterSurface surface(12, 12, 0);
    CRasterDC dc(surface);
    obj.DrawHandles(dc, kTrackerSelected, &view);
    // Both handles at (3, 3): frame from 0 to 6 on each axis, hollow inside.
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool onFrame = (x <= 6 && y <= 6) && (x == 0 || x == 6 || y == 0 || y == 6);
            EXPECT_EQ(surface.GetPixel(x, y), onFrame ? kHandleColor : 0u) << x << "," << y;
        }
}

// --- hit tests -----------------------------------------------------------------------

struct HitCase {
    const char* name;
    CRect rect;
    CPoint point;
    bool selected;
    int expected;
};

const HitCase kHitCases[] = {
    {"inside", {10, 10, 20, 20}, {15, 15}, false, 1},
    {"top-left corner is inside", {10, 10, 20, 20}, {10, 10}, false, 1},
    {"right edge is outside", {10, 10, 20, 20}, {20, 15}, false, 0},
    {"bottom edge is outside", {10, 10, 20, 20}, {15, 20}, false, 0},
    {"an inverted rectangle holds no point", {20, 20, 10, 10}, {15, 15}, false, 0},
    {"selected: near the top-left handle", {10, 10, 20, 20}, {12, 12}, true, 1},
    {"selected: 3 up and left of a handle", {10, 10, 20, 20}, {7, 7}, true, 1},
    {"selected: 4 away is no handle", {10, 10, 20, 20}, {6, 10}, true, 0},
    {"selected: 3 right of handle 1 is handle 2", {10, 10, 20, 20}, {13, 10}, true, 2},
    {"selected: the middle is no handle", {10, 10, 20, 20}, {15, 15}, true, 0},
    {"selected: bottom-right handle", {10, 10, 20, 20}, {22, 22}, true, 5},
};

class RectHitTest : public DrawRect, public testing::WithParamInterface<HitCase> {};

TEST_P(RectHitTest, FindsTheRectangleOrItsHandle)
{
    const HitCase& c = GetParam();
    CDrawRect obj(c.rect, 0, 0, 1, 0);
    EXPECT_EQ(obj.HitTestPoint(c.point, nullptr, c.selected), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, RectHitTest, testing::ValuesIn(kHitCases));

struct SegmentCase {
    const char* name;
    int x0, y0, x1, y1;
    CRect rect;
    bool expected;
};

const SegmentCase kSegmentCases[] = {
    {"diagonal passing beside the box", 0, 0, 10, 10, {4, 0, 6, 2}, false},
    {"horizontal through the box", 0, 1, 10, 1, {4, 0, 6, 2}, true},
    {"horizontal on the bottom edge counts", 0, 2, 10, 2, {4, 0, 6, 2}, true},
    {"horizontal below the box", 0, 3, 10, 3, {4, 0, 6, 2}, false},
    {"horizontal ending left of the box", 0, 1, 3, 1, {4, 0, 6, 2}, false},
    {"vertical on the right edge counts", 6, -5, 6, 5, {4, 0, 6, 2}, true},
    {"vertical entirely above", 5, -5, 5, -1, {4, 0, 6, 2}, false},
    {"end point inside", 5, 1, 50, 40, {4, 0, 6, 2}, true},
    {"end point on the excluded corner, diagonal away", 6, 2, 10, 9, {4, 0, 6, 2}, false},
    {"steep diagonal through the top edge", 3, -4, 7, 4, {4, 0, 6, 2}, true},
    {"inverted box is normalised", 0, 1, 10, 1, {6, 2, 4, 0}, true},
    {"a point inside", 5, 1, 5, 1, {4, 0, 6, 2}, true},
    {"far coordinates do not overflow", -1000000, -999999, 1000000, 1000001, {-1, 0, 2, 3}, true},
};

class SegmentTouches : public testing::TestWithParam<SegmentCase> {};

TEST_P(SegmentTouches, FollowsTheIntegerEdgeTest)
{
    const SegmentCase& c = GetParam();
    EXPECT_EQ(SegmentTouchesRect(c.x0, c.y0, c.x1, c.y1, c.rect), c.expected) << c.name;
    EXPECT_EQ(SegmentTouchesRect(c.x1, c.y1, c.x0, c.y0, c.rect), c.expected)
        << c.name << " (reversed)";
}

INSTANTIATE_TEST_SUITE_P(Table, SegmentTouches, testing::ValuesIn(kSegmentCases));

struct TouchCase {
    const char* name;
    int shape;
    CRect rect;
    CPoint round;
    CRect probe;
    bool expected;
};

const TouchCase kTouchCases[] = {
    {"rectangle: its top edge", 0, {0, 0, 40, 20}, {0, 0}, {18, -1, 21, 2}, true},
    {"rectangle: the middle of its interior", 0, {0, 0, 40, 20}, {0, 0}, {17, 7, 23, 13}, false},
    {"rectangle: beyond the right edge", 0, {0, 0, 40, 20}, {0, 0}, {42, 7, 48, 13}, false},
    {"line: on the segment", 3, {0, 0, 10, 10}, {0, 0}, {4, 4, 6, 6}, true},
    {"line: beside the segment", 3, {0, 0, 10, 10}, {0, 0}, {4, 0, 6, 2}, false},
    {"oval: top of the outline", 2, {0, 0, 20, 10}, {0, 0}, {10, 0, 11, 1}, true},
    {"oval: left of the outline", 2, {0, 0, 20, 10}, {0, 0}, {0, 5, 1, 6}, true},
    {"oval: the centre", 2, {0, 0, 20, 10}, {0, 0}, {9, 4, 12, 7}, false},
    {"oval: the box's corner", 2, {0, 0, 20, 10}, {0, 0}, {0, 0, 2, 2}, false},
    {"round rect: rounding 1x1 tests as a rectangle", 1, {0, 0, 40, 20}, {1, 1}, {0, 0, 1, 1}, true},
    {"round rect: the cut-off corner", 1, {0, 0, 40, 20}, {16, 16}, {0, 0, 2, 2}, false},
    {"round rect: its shortened top edge", 1, {0, 0, 40, 20}, {16, 16}, {19, 0, 21, 1}, true},
    {"round rect: top edge inside the rounding", 1, {0, 0, 40, 20}, {16, 16}, {2, 0, 3, 1}, false},
    {"round rect: bottom-right arc", 1, {0, 0, 40, 20}, {16, 16}, {37, 17, 39, 19}, true},
    {"round rect: top-left arc mirrored", 1, {0, 0, 40, 20}, {16, 16}, {2, 2, 4, 4}, true},
    {"round rect: interior", 1, {0, 0, 40, 20}, {16, 16}, {15, 7, 25, 13}, false},
    {"round rect: on its right edge line", 1, {0, 0, 40, 20}, {16, 16}, {40, 10, 41, 11}, true},
    {"round rect: a negative rounding stretches the edges", 1, {0, 0, 40, 20}, {-8, -8}, {41, -1, 43, 1}, true},
    {"round rect: rounding equal to the centre point tests as an oval", 1, {0, 0, 40, 20}, {20, 10},
     {20, 0, 21, 1}, true},
};

class RectTouches : public DrawRect, public testing::WithParamInterface<TouchCase> {};

TEST_P(RectTouches, CountsOnlyTheOutline)
{
    const TouchCase& c = GetParam();
    CDrawRect obj(c.rect, 0, 0, 1, 1);
    obj.m_nShape = c.shape;
    obj.m_ptRound = c.round;
    EXPECT_EQ(obj.TouchesRect(c.probe), c.expected) << c.name;
    EXPECT_TRUE(obj.m_aOutline.empty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, RectTouches, testing::ValuesIn(kTouchCases));

TEST_F(DrawRect, AClickTwoDotsFromTheEdgeSelectsButTheMiddleDoesNot)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    CDrawObj* filled = MakeShape(kShapeRectangle, {10, 10, 60, 40}, 1, kFillOutlineAndFill);
    doc.AddObj(filled);
    EXPECT_EQ(doc.ObjectAt({8, 20}), filled);
    EXPECT_EQ(doc.ObjectAt({35, 25}), nullptr);
    // Zoomed in the click square shrinks to one dot around the point.
    g_nZoomIndex = 2;
    EXPECT_EQ(doc.ObjectAt({8, 20}), nullptr);
    EXPECT_EQ(doc.ObjectAt({9, 20}), filled);
}

TEST_F(DrawRect, TheTopmostObjectWinsTheClick)
{
    CVemtDoc doc;
    CDrawObj* below = MakeShape(kShapeRectangle, {0, 0, 20, 20});
    CDrawObj* above = MakeShape(kShapeRectangle, {0, 0, 30, 30});
    doc.AddObj(below);
    doc.AddObj(above);
    EXPECT_EQ(doc.ObjectAt({0, 10}), above);
    EXPECT_EQ(doc.ObjectAt({20, 10}), below);
}

// --- dragging and moving ---------------------------------------------------------------

struct RoundDragCase {
    const char* name;
    CRect rect;
    CPoint to;
    CPoint expected;
};

const RoundDragCase kRoundDragCases[] = {
    {"beyond the bottom-right corner", {0, 0, 11, 9}, {30, 30}, {2, 2}},
    {"past the centre, odd size gives one more", {0, 0, 11, 9}, {-5, -5}, {12, 10}},
    {"past the centre, even size gives the size", {0, 0, 10, 8}, {-5, -5}, {10, 8}},
    {"in between", {0, 0, 20, 10}, {15, 7}, {10, 6}},
    {"inverted rectangle is normalised", {20, 10, 0, 0}, {15, 7}, {10, 6}},
};

class RoundDrag : public DrawRect, public testing::WithParamInterface<RoundDragCase> {};

TEST_P(RoundDrag, SetsTheRoundingFromTheHandle)
{
    const RoundDragCase& c = GetParam();
    CVemtDoc doc;
    auto* obj = MakeShape(kShapeRoundRect, c.rect);
    doc.AddObj(obj);
    doc.SetModifiedFlag(false);
    obj->DragHandle(9, c.to, nullptr, false);
    EXPECT_EQ(obj->m_ptRound, c.expected) << c.name;
    EXPECT_EQ(obj->m_rcPosition, c.rect) << c.name;
    EXPECT_TRUE(doc.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Table, RoundDrag, testing::ValuesIn(kRoundDragCases));

TEST_F(DrawRect, RoundingDragWithAViewRendersTheObjectAndTheHandle)
{
    CVemtDoc doc;
    auto* obj = MakeShape(kShapeRoundRect, {0, 0, 20, 10});
    doc.AddObj(obj);
    CFakeDrawView view;
    doc.AddView(&view);
    obj->DragHandle(9, {15, 7}, &view, true);
    ASSERT_EQ(view.m_nRenders, 1);
    // Handle now at (15, 7); its square reaches (18, 10), inside the object.
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(0, 0, 20, 10));
    EXPECT_TRUE(view.m_aUpdates.empty());

    obj->DragHandle(9, {30, 30}, nullptr, false);
    ASSERT_EQ(view.m_aUpdates.size(), 1u);
    EXPECT_EQ(view.m_aUpdates[0].hint, UPD_OBJECT);
}

struct DragCase {
    const char* name;
    int shape;
    int handle;
    CRect expected;
};

const DragCase kDragCases[] = {
    {"handle 1 moves left and top", 0, 1, {30, 40, 20, 20}},
    {"handle 2 moves the top", 0, 2, {10, 40, 20, 20}},
    {"handle 3 moves right and top", 0, 3, {10, 40, 30, 20}},
    {"handle 4 moves the right", 0, 4, {10, 10, 30, 20}},
    {"handle 5 moves right and bottom", 0, 5, {10, 10, 30, 40}},
    {"handle 6 moves the bottom", 0, 6, {10, 10, 20, 40}},
    {"handle 7 moves left and bottom", 0, 7, {30, 10, 20, 40}},
    {"handle 8 moves the left", 0, 8, {30, 10, 20, 20}},
    {"handle 0 moves left and top", 0, 0, {30, 40, 20, 20}},
    {"line handle 2 moves the end", 3, 2, {10, 10, 30, 40}},
};

class RectDrag : public DrawRect, public testing::WithParamInterface<DragCase> {};

TEST_P(RectDrag, ChangesTheEdgesOfTheHandle)
{
    const DragCase& c = GetParam();
    CDrawRect obj({10, 10, 20, 20}, 0, 0, 1, 0);
    obj.m_nShape = c.shape;
    obj.DragHandle(c.handle, {30, 40}, nullptr, false);
    EXPECT_EQ(obj.m_rcPosition, c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, RectDrag, testing::ValuesIn(kDragCases));

TEST_F(DrawRect, MoveWithAViewAddsTheOldAndNewAreasAndRendersOnRequest)
{
    CVemtDoc doc;
    auto* obj = MakeShape(kShapeLine, {5, 5, 5, 9});  // a vertical line has no width
    doc.AddObj(obj);
    doc.SetModifiedFlag(false);
    CFakeDrawView view;
    doc.AddView(&view);

    obj->MoveToRect({5, 5, 5, 9}, &view, true);  // unchanged: nothing happens
    EXPECT_EQ(view.m_nRenders, 0);
    EXPECT_FALSE(doc.IsModified());

    obj->MoveToRect({8, 5, 8, 9}, &view, false);
    EXPECT_EQ(view.m_nRenders, 0);
    EXPECT_EQ(g_rcUpdate, CRect(5, 5, 9, 9));
    EXPECT_TRUE(doc.IsModified());

    obj->MoveToRect({20, 9, 10, 9}, &view, true);  // inverted and flat
    ASSERT_EQ(view.m_nRenders, 1);
    EXPECT_EQ(view.m_aUpdateAtRender[0], CRect(5, 5, 20, 10));
    EXPECT_EQ(obj->m_rcPosition, CRect(20, 9, 10, 9));
    EXPECT_TRUE(view.m_aUpdates.empty());
}

TEST_F(DrawRect, MoveWithoutAViewTellsEveryViewBeforeAndAfter)
{
    CVemtDoc doc;
    auto* obj = MakeShape(kShapeRectangle, {0, 0, 4, 4});
    doc.AddObj(obj);
    CFakeDrawView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    obj->MoveToRect({1, 1, 5, 5}, nullptr, true);
    for (CFakeDrawView* v : {&a, &b}) {
        ASSERT_EQ(v->m_aUpdates.size(), 2u);
        EXPECT_EQ(v->m_aUpdates[0].hint, UPD_OBJECT);
        EXPECT_EQ(v->m_aUpdates[0].obj, obj);
        EXPECT_EQ(v->m_aUpdates[0].rcObjAtCall, CRect(0, 0, 4, 4));
        EXPECT_EQ(v->m_aUpdates[1].rcObjAtCall, CRect(1, 1, 5, 5));
        EXPECT_EQ(v->m_nRenders, 0);
    }
}

// --- cloning and storing ---------------------------------------------------------------

TEST_F(DrawRect, CloneCopiesShapeAndRoundingButNotTheCreatingTool)
{
    CVemtDoc doc;
    auto* obj = new CDrawRect({1, 2, 30, 40}, 0x00FFFF, 0x0000FF, 3, 2);
    obj->m_nShape = kShapeRoundRect;
    obj->m_nCreateShape = kShapeRoundRect;
    obj->m_ptRound = {7, 9};
    doc.AddObj(obj);
    doc.SetModifiedFlag(false);

    CDrawObj* copy = obj->CloneInto(&doc);
    ASSERT_EQ(doc.m_objects.size(), 2u);
    EXPECT_EQ(doc.m_objects.back(), copy);
    EXPECT_EQ(copy->m_pDocument, &doc);
    EXPECT_TRUE(doc.IsModified());
    auto* rect = dynamic_cast<CDrawRect*>(copy);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->m_rcPosition, obj->m_rcPosition);
    EXPECT_EQ(rect->m_crLine, 0x00FFFFu);
    EXPECT_EQ(rect->m_crFill, 0x0000FFu);
    EXPECT_EQ(rect->m_nPenWidth, 3);
    EXPECT_EQ(rect->m_nFillMode, 2);
    EXPECT_EQ(rect->m_nShape, kShapeRoundRect);
    EXPECT_EQ(rect->m_ptRound, CPoint(7, 9));
    EXPECT_EQ(rect->m_nCreateShape, 0);
    EXPECT_EQ(rect->m_nKind, kKindRect);

    CDrawObj* loose = obj->CloneInto(nullptr);
    EXPECT_EQ(loose->m_pDocument, nullptr);
    EXPECT_EQ(doc.m_objects.size(), 2u);
    delete loose;
}

const std::vector<std::uint8_t> kRoundRectImage = {
    0x01, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xFF, 0xFF,  // left 1, top -2
    0x1E, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00,  // right 30, bottom 40
    0xFF, 0xFF, 0x00, 0x00,                          // line colour 0x00FFFF
    0xFF, 0x00, 0x00, 0x00,                          // fill colour 0x0000FF
    0x03, 0x00, 0x00, 0x00,                          // pen width 3
    0x02, 0x00, 0x00, 0x00,                          // fill mode 2
    0x01, 0x00,                                      // shape 1 in 16 bits
    0x07, 0x00, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00,  // rounding 7 x 9
};

TEST_F(DrawRect, StoresTheBaseFieldsThenShapeAndRounding)
{
    CDrawRect obj({1, -2, 30, 40}, 0x00FFFF, 0x0000FF, 3, 2);
    obj.m_nShape = kShapeRoundRect;
    obj.m_nCreateShape = kShapeRoundRect;
    obj.m_ptRound = {7, 9};
    CArchive ar;
    obj.Serialize(ar);
    EXPECT_EQ(ar.Data(), kRoundRectImage);
}

TEST_F(DrawRect, ReadsItsImageWithoutTheCreatingTool)
{
    CVemtDoc doc;
    CArchive ar(kRoundRectImage);
    ar.m_pDocument = &doc;
    CDrawRect obj;
    obj.m_nCreateShape = 3;
    obj.Serialize(ar);
    EXPECT_FALSE(ar.Failed()) << ar.ErrorMessage();
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(obj.m_rcPosition, CRect(1, -2, 30, 40));
    EXPECT_EQ(obj.m_crLine, 0x00FFFFu);
    EXPECT_EQ(obj.m_crFill, 0x0000FFu);
    EXPECT_EQ(obj.m_nPenWidth, 3);
    EXPECT_EQ(obj.m_nFillMode, 2);
    EXPECT_EQ(obj.m_nShape, 1);
    EXPECT_EQ(obj.m_ptRound, CPoint(7, 9));
    EXPECT_EQ(obj.m_nCreateShape, 0);
    EXPECT_EQ(obj.m_pDocument, &doc);
    g_nZoomIndex = 2;
    EXPECT_EQ(obj.HandlePoint(1), CPoint(1, -2));
}

TEST_F(DrawRect, ACutImageIsAnErrorNotAnObject)
{
    for (std::size_t length = 0; length < kRoundRectImage.size(); ++length) {
        std::vector<std::uint8_t> cut(kRoundRectImage.begin(), kRoundRectImage.begin() + length);
        CArchive ar(cut);
        CDrawRect obj;
        obj.Serialize(ar);
        EXPECT_TRUE(ar.Failed()) << "cut at " << length;
    }
}

TEST_F(DrawRect, ACoordinateFarOutsideAnyCanvasIsRefused)
{
    std::vector<std::uint8_t> image = kRoundRectImage;
    image[11] = 0x40;  // right = 0x4000001E
    CArchive ar(image);
    CDrawRect obj;
    obj.Serialize(ar);
    EXPECT_TRUE(ar.Failed());
    EXPECT_NE(ar.ErrorMessage().find("far outside"), std::string::npos) << ar.ErrorMessage();
}

// --- drawing -----------------------------------------------------------------------------

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

std::string Draw(CDrawObj& obj, int w, int h, IDrawView* view = nullptr)
{
    CRasterSurface s(w, h, 0);
    CRasterDC dc(s);
    obj.Draw(dc, view);
    return Picture(s);
}

TEST_F(DrawRect, FillModesChooseOutlineAndInterior)
{
    CDrawRect outline({1, 1, 6, 5}, 0x0000FF, 0x00FF00, 1, kFillOutline);
    EXPECT_EQ(Draw(outline, 7, 6),
              ".......\n"
              ".RRRRR.\n"
              ".R...R.\n"
              ".R...R.\n"
              ".RRRRR.\n"
              ".......\n");
    CDrawRect both({1, 1, 6, 5}, 0x0000FF, 0x00FF00, 1, kFillOutlineAndFill);
    EXPECT_EQ(Draw(both, 7, 6),
              ".......\n"
              ".RRRRR.\n"
              ".RGGGR.\n"
              ".RGGGR.\n"
              ".RRRRR.\n"
              ".......\n");
    // Without a pen the filled area loses its right column and bottom row.
    CDrawRect fill({1, 1, 6, 5}, 0x0000FF, 0x00FF00, 1, kFillOnly);
    EXPECT_EQ(Draw(fill, 7, 6),
              ".......\n"
              ".GGGG..\n"
              ".GGGG..\n"
              ".GGGG..\n"
              ".......\n"
              ".......\n");
}

TEST_F(DrawRect, ALineIsNeverFilledAndExcludesItsEndPoint)
{
    CDrawRect line({0, 0, 4, 0}, 0x00FFFF, 0x00FF00, 1, kFillOnly);
    line.m_nShape = kShapeLine;
    EXPECT_EQ(Draw(line, 6, 2),
              "YYYY..\n"
              "......\n");
}

TEST_F(DrawRect, OnlyWhatMeetsTheAreaToDrawIsDrawn)
{
    CDrawRect rect({1, 1, 4, 4}, 0x0000FF, 0, 1, 0);
    g_rcUpdate = {10, 10, 20, 20};
    EXPECT_EQ(Draw(rect, 5, 5), Picture(CRasterSurface(5, 5, 0)));

    // An empty update rectangle means the view's visible area.
    g_rcUpdate.SetRectEmpty();
    CFakeDrawView view;
    view.m_rcVisible = {4, 0, 40, 40};
    EXPECT_EQ(Draw(rect, 5, 5, &view), Picture(CRasterSurface(5, 5, 0)));
    view.m_rcVisible = {3, 3, 40, 40};
    EXPECT_NE(Draw(rect, 5, 5, &view), Picture(CRasterSurface(5, 5, 0)));

    // A diagonal line whose box meets the area but whose segment does not stays away.
    CDrawRect line({0, 0, 10, 10}, 0x0000FF, 0, 1, 0);
    line.m_nShape = kShapeLine;
    g_rcUpdate = {6, 0, 10, 3};
    EXPECT_EQ(Draw(line, 11, 11), Picture(CRasterSurface(11, 11, 0)));
    g_rcUpdate = {4, 4, 6, 6};
    EXPECT_NE(Draw(line, 11, 11), Picture(CRasterSurface(11, 11, 0)));
}

TEST_F(DrawRect, DrawingLeavesTheDeviceContextsPenAndBrush)
{
    CRasterSurface s(8, 8, 0);
    CRasterDC dc(s);
    dc.SelectPen(CRasterPen::Solid(2, 0x123456));
    dc.SelectBrush(CRasterBrush::Solid(0x654321));
    CDrawRect rect({1, 1, 6, 6}, 0x0000FF, 0x00FF00, 1, kFillOutlineAndFill);
    rect.Draw(dc, nullptr);
    EXPECT_EQ(dc.GetPen().m_crColor, 0x123456u);
    EXPECT_EQ(dc.GetPen().m_nWidth, 2);
    EXPECT_EQ(dc.GetBrush().m_crColor, 0x654321u);
}

TEST_F(DrawRect, RemoveObjectDestroysAndRendersWhenAsked)
{
    CFakeDrawView view;
    MakeShape(kShapeRectangle, {0, 0, 2, 2})->RemoveObject(&view, false);
    EXPECT_EQ(view.m_nRenders, 0);
    MakeShape(kShapeRectangle, {0, 0, 2, 2})->RemoveObject(&view, true);
    EXPECT_EQ(view.m_nRenders, 1);
}

}  // namespace
