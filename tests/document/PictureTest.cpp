#include "document/CDrawOleObj.h"

#include "FakeDrawView.h"
#include "SampleDocument.h"
#include "document/CArchive.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

namespace {

// A 3 x 2 picture: row 0 = A B C, row 1 = D E F.
constexpr COLORREF A = 0x0000FF, B = 0x00FF00, C = 0x00FFFF, D = 0x000080, E = 0x008000, F = 0x808080;

std::unique_ptr<CDrawItem> SmallPicture()
{
    auto item = std::make_unique<CDrawItem>(nullptr, nullptr);
    EXPECT_TRUE(item->SetPicture(3, 2, {A, B, C, D, E, F}));
    return item;
}

std::vector<COLORREF> Render(const CRect& rc, int w, int h)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    auto* obj = new CDrawOleObj(rc);
    obj->SetClientItem(SmallPicture());
    doc.AddObj(obj);
    CRasterSurface surface(w, h, 0);
    RenderRegion(doc.m_objects, surface, w, h);
    return surface.Pixels();
}

TEST(Picture, DrawnDotForDotIntoARectangleOfItsOwnSize)
{
    EXPECT_EQ(Render({1, 1, 4, 3}, 5, 4), (std::vector<COLORREF>{
        0, 0, 0, 0, 0,
        0, A, B, C, 0,
        0, D, E, F, 0,
        0, 0, 0, 0, 0}));
}

TEST(Picture, StretchedByNearestNeighbour)
{
    EXPECT_EQ(Render({0, 0, 6, 4}, 6, 4), (std::vector<COLORREF>{
        A, A, B, B, C, C,
        A, A, B, B, C, C,
        D, D, E, E, F, F,
        D, D, E, E, F, F}));
}

TEST(Picture, AnInvertedRectangleMirrorsThePicture)
{
    EXPECT_EQ(Render({3, 0, 0, 2}, 3, 2), (std::vector<COLORREF>{C, B, A, F, E, D}));
    EXPECT_EQ(Render({0, 2, 3, 0}, 3, 2), (std::vector<COLORREF>{D, E, F, A, B, C}));
}

TEST(Picture, ClippedToTheRasterAndToTheUpdateArea)
{
    const std::vector<COLORREF> pixels = Render({-1, -1, 2, 1}, 2, 1);
    EXPECT_EQ(pixels, (std::vector<COLORREF>{E, F}));
}

TEST(Picture, FirstExtentGivesOneDotPerPixelInvertedVertically)
{
    CDrawOleObj obj(CRect(5, 5, 5, 5));
    auto item = std::make_unique<CDrawItem>(nullptr, nullptr);
    ASSERT_TRUE(item->SetPicture(32, 16, std::vector<COLORREF>(32 * 16, A)));
    obj.SetClientItem(std::move(item));
    EXPECT_TRUE(obj.UpdateExtent());
    EXPECT_EQ(obj.m_rcPosition, CRect(5, 5, 37, -11));
    EXPECT_FALSE(obj.UpdateExtent());  // same size: no change
}

TEST(Picture, ALaterExtentScalesTheRectangle)
{
    CDrawOleObj obj(CRect(0, 0, 10, 20));
    obj.SetClientItem(SmallPicture());
    obj.m_sizeExtent = CSize(0, 0);
    ASSERT_TRUE(obj.UpdateExtent());  // 3 x 2 dots
    obj.m_rcPosition = CRect(0, 0, 30, 20);  // the user made it 10 times larger
    auto bigger = std::make_unique<CDrawItem>(nullptr, nullptr);
    ASSERT_TRUE(bigger->SetPicture(6, 4, std::vector<COLORREF>(24, A)));
    obj.SetClientItem(std::move(bigger));
    ASSERT_TRUE(obj.UpdateExtent());
    EXPECT_EQ(obj.m_rcPosition, CRect(0, 0, 60, 40));
}

TEST(Picture, NaturalSizeForEverySideTurnsBackIntoThePixelCount)
{
    for (int w = 1; w <= 400; ++w) {
        CDrawItem item(nullptr, nullptr);
        ASSERT_TRUE(item.SetPicture(w, 1, std::vector<COLORREF>(std::size_t(w), 0)));
        CSize extent;
        ASSERT_TRUE(item.GetExtent(extent));
        ASSERT_EQ(extent.cx * 10 / 254, w) << w;
    }
}

TEST(Picture, CloneHasItsOwnItemWithTheSamePictureAndJoinsTheDocument)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    auto* obj = MakePictureObj(&doc, {1, 2, 7, 9}, 6, 7, true);
    doc.AddObj(obj);
    auto* clone = dynamic_cast<CDrawOleObj*>(obj->CloneInto(&doc));
    ASSERT_NE(clone, nullptr);
    ASSERT_EQ(doc.m_objects.size(), 2u);
    EXPECT_EQ(doc.m_objects[1], clone);
    EXPECT_EQ(clone->m_rcPosition, obj->m_rcPosition);
    EXPECT_EQ(clone->m_nKind, kKindOle);
    ASSERT_NE(clone->m_pClientItem, nullptr);
    EXPECT_NE(clone->m_pClientItem, obj->m_pClientItem);
    EXPECT_EQ(clone->m_pClientItem->m_pDrawObj, clone);
    EXPECT_EQ(clone->m_pClientItem->Pixels(), obj->m_pClientItem->Pixels());
}

TEST(Picture, RemovingTheObjectDestroysItsItemFirst)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    CFakeDrawView view;
    auto* obj = MakePictureObj(&doc, {1, 2, 7, 9}, 6, 7, true);
    doc.AddObj(obj);
    doc.RemoveObj(obj);
    obj->RemoveObject(&view, true);
    EXPECT_EQ(view.m_nRenders, 1);
    EXPECT_TRUE(doc.m_objects.empty());
}

TEST(Picture, ByteFormPicksRunsOrRawPixelsAndReadsBackLosslessly)
{
    struct Case {
        const char* name;
        int w, h;
        bool noisy;
        std::uint8_t encoding;
        std::size_t length;
    } cases[] = {
        {"two colour halves", 40, 30, false, CDrawItem::kEncodingRuns, 9 + 5 * (3 + 3)},
        {"every pixel different", 12, 8, true, CDrawItem::kEncodingRaw, 9 + 4 * 96},
        {"no picture", 0, 0, false, CDrawItem::kEncodingRaw, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto item = c.w ? MakePicture(nullptr, c.w, c.h, c.noisy) : std::make_unique<CDrawItem>(nullptr, nullptr);
        CArchive out;
        item->Serialize(out);
        const Bytes& bytes = out.Data();
        ASSERT_EQ(bytes.size(), 2 + 4 + c.length);
        EXPECT_EQ(bytes[0] | (bytes[1] << 8), 1);
        EXPECT_EQ(std::size_t(bytes[2] | (bytes[3] << 8) | (bytes[4] << 16) | (bytes[5] << 24)), c.length);
        EXPECT_EQ(bytes[14], c.encoding);

        CArchive in(bytes);
        CDrawItem back(nullptr, nullptr);
        back.Serialize(in);
        ASSERT_FALSE(in.Failed()) << in.ErrorMessage();
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(back.PictureWidth(), c.w);
        EXPECT_EQ(back.PictureHeight(), c.h);
        EXPECT_EQ(back.Pixels(), item->Pixels());
    }
}

TEST(Picture, NotificationsFollowTheHolder)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    CFakeDrawView view;
    doc.AddView(&view);
    auto* obj = new CDrawOleObj(CRect(4, 4, 4, 4));
    obj->SetClientItem(SmallPicture());
    obj->m_pClientItem->m_pDocument = &doc;
    doc.AddObj(obj);
    doc.SetModifiedFlag(false);

    // A picture with no size yet takes its natural size when asked where it is.
    EXPECT_EQ(obj->m_pClientItem->GetItemPosition(), CRect(4, 4, 7, 2));

    obj->OpenObject(&view);
    ASSERT_TRUE(obj->m_pClientItem->OnChangeItemPosition(CRect(0, 0, 9, 6)));
    EXPECT_EQ(obj->m_rcPosition, CRect(0, 0, 9, 6));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(obj->m_pClientItem->OnChangeItemPosition(CRect(0, 0, 9, 6)));

    obj->m_pClientItem->OnChange(CDrawItem::kClosed);
    EXPECT_EQ(obj->m_rcPosition, CRect(4, 4, 7, 2));

    const std::size_t before = view.m_aUpdates.size();
    obj->m_pClientItem->OnChange(CDrawItem::kStateChanged);
    ASSERT_EQ(view.m_aUpdates.size(), before + 1);
    EXPECT_EQ(view.m_aUpdates.back().hint, UPD_OBJECT);
    EXPECT_EQ(view.m_aUpdates.back().obj, obj);
    obj->m_pClientItem->OnChange(3);  // no meaning here
    EXPECT_EQ(view.m_aUpdates.size(), before + 1);
}

}  // namespace
