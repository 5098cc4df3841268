#include "FakeDrawView.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawArc.h"
#include "document/CDrawFill.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"
#include "document/DrawObjFactory.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

class VemtDoc : public testing::Test {
protected:
    void SetUp() override { ResetEditorState(); }
    void TearDown() override { ResetEditorState(); }
};

TEST_F(VemtDoc, TheCanvasIsTheSignsScreensStacked)
{
    CVemtApp app;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 5;
    CVemtDoc doc(&app);
    EXPECT_EQ(doc.m_sizeCanvas, CSize(160, 80));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(VemtDoc, AddAppendsOwnsAndMarksModified)
{
    CVemtDoc doc;
    auto* a = new CDrawRect({0, 0, 1, 1}, 0, 0, 1, 0);
    auto* b = new CDrawRect({0, 0, 1, 1}, 0, 0, 1, 0);
    doc.AddObj(a);
    doc.AddObj(b);
    EXPECT_EQ(doc.m_objects, (std::vector<CDrawObj*>{a, b}));
    EXPECT_EQ(a->m_pDocument, &doc);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(VemtDoc, RemoveUnlinksTellsTheViewsAndLeavesTheObjectAlive)
{
    CVemtDoc doc;
    CFakeDrawView view;
    doc.AddView(&view);
    auto* a = new CDrawRect({0, 0, 1, 1}, 0, 0, 1, 0);
    doc.AddObj(a);
    doc.SetModifiedFlag(false);
    doc.RemoveObj(a);
    EXPECT_TRUE(doc.m_objects.empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.m_aRemoved, std::vector<CDrawObj*>{a});
    EXPECT_EQ(view.m_nRenders, 0);
    a->RemoveObject(&view, false);
}

TEST_F(VemtDoc, UpdateAllViewsSkipsTheSender)
{
    CVemtDoc doc;
    CFakeDrawView a, b;
    doc.AddView(&a);
    doc.AddView(&b);
    doc.AddView(&b);
    doc.UpdateAllViews(&a, UPD_ALL);
    EXPECT_TRUE(a.m_aUpdates.empty());
    ASSERT_EQ(b.m_aUpdates.size(), 1u);
    EXPECT_EQ(b.m_aUpdates[0].sender, &a);
    doc.RemoveView(&b);
    doc.UpdateAllViews(nullptr, UPD_ALL);
    EXPECT_EQ(b.m_aUpdates.size(), 1u);
    EXPECT_EQ(a.m_aUpdates.size(), 1u);
}

void AppendName(Bytes& b, const std::string& name)
{
    b.insert(b.end(), {0xFF, 0xFF, 0x00, 0x00, std::uint8_t(name.size()), 0x00});
    b.insert(b.end(), name.begin(), name.end());
}

Bytes RectFields(int shape)
{
    CDrawRect r({1, 2, 3, 4}, 0xFF, 0, 1, 0);
    r.m_nShape = shape;
    CArchive ar;
    r.Serialize(ar);
    return ar.Data();
}

TEST_F(VemtDoc, WritesCountThenTaggedObjects)
{
    CVemtDoc doc;
    for (int shape : {0, 2, 3}) {
        auto* r = new CDrawRect({1, 2, 3, 4}, 0xFF, 0, 1, 0);
        r->m_nShape = shape;
        doc.AddObj(r);
    }
    auto* poly = new CDrawPoly(CRect(), 0xFF, 0, 1, 0);
    poly->AddPoint({1, 1}, nullptr);
    doc.AddObj(poly);
    CArchive ar;
    doc.WriteObjects(ar);

    Bytes expected{0x04, 0x00};
    AppendName(expected, "CDrawRect");       // class 1, object 2
    Bytes fields = RectFields(0);
    expected.insert(expected.end(), fields.begin(), fields.end());
    expected.insert(expected.end(), {0x01, 0x80});  // object 3
    fields = RectFields(2);
    expected.insert(expected.end(), fields.begin(), fields.end());
    expected.insert(expected.end(), {0x01, 0x80});  // object 4
    fields = RectFields(3);
    expected.insert(expected.end(), fields.begin(), fields.end());
    AppendName(expected, "CDrawPoly");
    CArchive polyAr;
    poly->Serialize(polyAr);
    expected.insert(expected.end(), polyAr.Data().begin(), polyAr.Data().end());
    EXPECT_EQ(ar.Data(), expected);
}

TEST_F(VemtDoc, ReadsBackEveryObjectClass)
{
    CVemtDoc doc;
    doc.AddObj(new CDrawRect({1, 2, 30, 40}, 0x0000FF, 0x00FF00, 2, 1));
    auto* poly = new CDrawPoly(CRect(), 0xFF, 0, 1, 0);
    poly->AddPoint({1, 1}, nullptr);
    poly->AddPoint({9, 4}, nullptr);
    doc.AddObj(poly);
    auto* stroke = new CStroke(1, 0x00FFFF);
    stroke->m_aPoints = {{3, 3}, {4, 5}};
    stroke->RecalcBounds();
    doc.AddObj(stroke);
    doc.AddObj(new CDrawArc({7, 8}, 3, 0x00FF00));
    doc.AddObj(new CDrawFill({5, 5, 5, 5}, 0x0000FF, 0));
    doc.AddObj(new CDrawRect({0, 0, 5, 5}, 0x0000FF, 0, 1, 0));
    CArchive out;
    doc.WriteObjects(out);

    CVemtDoc loaded;
    CArchive in(out.Data());
    ASSERT_TRUE(loaded.ReadObjects(in)) << in.ErrorMessage();
    EXPECT_TRUE(in.AtEnd());
    ASSERT_EQ(loaded.m_objects.size(), 6u);
    const char* const classes[] = {"CDrawRect", "CDrawPoly", "CStroke", "CDrawArc", "CDrawFill", "CDrawRect"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(loaded.m_objects[i]->GetRuntimeClassName(), classes[i]);
        EXPECT_EQ(loaded.m_objects[i]->m_pDocument, &loaded);
        EXPECT_EQ(loaded.m_objects[i]->m_rcPosition, doc.m_objects[i]->m_rcPosition);
    }
    EXPECT_EQ(dynamic_cast<CDrawPoly*>(loaded.m_objects[1])->m_pPoints, poly->m_pPoints);
    EXPECT_EQ(dynamic_cast<CDrawArc*>(loaded.m_objects[3])->m_ptCtrl1, CPoint(12, 3));
    EXPECT_EQ(loaded.m_objects[4]->m_nKind, kKindFill);
    CArchive again;
    loaded.WriteObjects(again);
    EXPECT_EQ(again.Data(), out.Data());
}

struct BadListCase {
    const char* name;
    Bytes bytes;
    const char* messagePart;
};

Bytes ListOf(std::initializer_list<Bytes> parts, std::uint16_t count)
{
    Bytes b{std::uint8_t(count), std::uint8_t(count >> 8)};
    for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

Bytes Named(const std::string& name, std::uint16_t schema, const Bytes& fields)
{
    Bytes b{0xFF, 0xFF, std::uint8_t(schema), std::uint8_t(schema >> 8), std::uint8_t(name.size()), 0};
    b.insert(b.end(), name.begin(), name.end());
    b.insert(b.end(), fields.begin(), fields.end());
    return b;
}

std::vector<BadListCase> BadListCases()
{
    const Bytes rect = RectFields(0);
    Bytes cut = ListOf({Named("CDrawRect", 0, rect)}, 1);
    cut.resize(cut.size() - 3);
    return {
        {"more objects than the bytes can hold", ListOf({Named("CDrawRect", 0, rect)}, 5000), "object list claims"},
        {"an unknown class", ListOf({Named("CDrawRect", 0, rect), Named("CDrawSnake", 0, rect)}, 2),
         "unknown class \"CDrawSnake\""},
        {"schema 1", ListOf({Named("CDrawRect", 1, rect)}, 1), "schema 1"},
        {"a file cut inside an object", cut, "ends"},
        {"the base class alone is not a stored object", ListOf({Named("CDrawObj", 0, rect)}, 1),
         "unknown class"},
        {"an object reference", ListOf({Named("CDrawRect", 0, rect), {0x02, 0x00}, rect}, 2), "refers back"},
    };
}

TEST_F(VemtDoc, ABadObjectListAppendsNothingAndSaysWhy)
{
    for (const BadListCase& c : BadListCases()) {
        CVemtDoc doc;
        auto* existing = new CDrawRect({0, 0, 1, 1}, 0, 0, 1, 0);
        doc.AddObj(existing);
        CArchive in(c.bytes);
        EXPECT_FALSE(doc.ReadObjects(in)) << c.name;
        EXPECT_EQ(doc.m_objects, std::vector<CDrawObj*>{existing}) << c.name;
        EXPECT_NE(in.ErrorMessage().find(c.messagePart), std::string::npos)
            << c.name << ": " << in.ErrorMessage();
    }
}

TEST_F(VemtDoc, AnEmptyListIsTwoZeroBytes)
{
    CVemtDoc doc;
    CArchive out;
    doc.WriteObjects(out);
    EXPECT_EQ(out.Data(), (Bytes{0x00, 0x00}));
    CArchive in(out.Data());
    EXPECT_TRUE(doc.ReadObjects(in));
    EXPECT_TRUE(doc.m_objects.empty());
}

TEST_F(VemtDoc, ClassesFromOtherFilesCanBeRegistered)
{
    EXPECT_EQ(CreateDrawObject("CDrawTestShape"), nullptr);
    RegisterDrawObjClass("CDrawTestShape", [] { return static_cast<CDrawObj*>(new CDrawFill); });
    std::unique_ptr<CDrawObj> obj(CreateDrawObject("CDrawTestShape"));
    EXPECT_NE(obj, nullptr);
}

TEST_F(VemtDoc, DrawAllDrawsInListOrder)
{
    CVemtDoc doc;
    doc.AddObj(new CDrawRect({0, 0, 4, 4}, 0x0000FF, 0x0000FF, 1, 1));
    doc.AddObj(new CDrawRect({2, 2, 6, 6}, 0x00FF00, 0x00FF00, 1, 1));
    CRasterSurface s(8, 8, 0);
    CRasterDC dc(s);
    doc.DrawAll(dc, nullptr);
    EXPECT_EQ(s.GetPixel(1, 1), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(3, 3), 0x00FF00u);
}

}  // namespace

namespace {

// One image with every class, to be cut and corrupted.
Bytes SampleListImage()
{
    CVemtDoc doc;
    auto* rr = new CDrawRect({1, 2, 30, 40}, 0x0000FF, 0x00FF00, 2, 1);
    rr->m_nShape = kShapeRoundRect;
    doc.AddObj(rr);
    auto* poly = new CDrawPoly(CRect(), 0xFF, 0, 1, 0);
    for (CPoint p : {CPoint(1, 1), CPoint(9, 4), CPoint(3, 8)}) poly->AddPoint(p, nullptr);
    doc.AddObj(poly);
    auto* stroke = new CStroke(1, 0x00FFFF);
    stroke->m_aPoints = {{3, 3}, {4, 5}, {6, 6}};
    stroke->RecalcBounds();
    doc.AddObj(stroke);
    doc.AddObj(new CDrawArc({7, 8}, 3, 0x00FF00));
    doc.AddObj(new CDrawFill({5, 5, 5, 5}, 0x0000FF, 0));
    doc.AddObj(new CDrawPoly(CRect(), 0xFF, 0, 1, 0));
    CArchive out;
    doc.WriteObjects(out);
    return out.Data();
}

TEST(VemtDocLoading, EveryCutOfAListFailsCleanly)
{
    const Bytes image = SampleListImage();
    for (std::size_t length = 0; length < image.size(); ++length) {
        Bytes cut(image.begin(), image.begin() + length);
        CVemtDoc doc;
        CArchive in(cut);
        EXPECT_FALSE(doc.ReadObjects(in)) << "cut at " << length;
        EXPECT_TRUE(doc.m_objects.empty()) << "cut at " << length;
        EXPECT_FALSE(in.ErrorMessage().empty()) << "cut at " << length;
    }
}

TEST(VemtDocLoading, CorruptedBytesLoadOrFailButNeverReadOutside)
{
    const Bytes image = SampleListImage();
    for (std::size_t i = 0; i < image.size(); ++i) {
        for (std::uint8_t value : {std::uint8_t(0x00), std::uint8_t(0x7F), std::uint8_t(0x80),
                                   std::uint8_t(0xFF), std::uint8_t(image[i] ^ 0x01)}) {
            Bytes bad = image;
            bad[i] = value;
            CVemtDoc doc;
            CArchive in(bad);
            const bool loaded = doc.ReadObjects(in);
            EXPECT_EQ(loaded, !in.Failed()) << "byte " << i;
            if (!loaded) {
                EXPECT_TRUE(doc.m_objects.empty()) << "byte " << i;
                continue;
            }
            // Whatever loaded can be hit-tested and drawn.
            CRasterSurface s(16, 16, 0);
            CRasterDC dc(s);
            doc.DrawAll(dc, nullptr);
            for (CDrawObj* obj : doc.m_objects) obj->TouchesRect({0, 0, 4, 4});
        }
    }
}

}  // namespace
