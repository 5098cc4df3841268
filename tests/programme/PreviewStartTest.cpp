#include "programme/PreviewStart.h"

#include "app/CVemtApp.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"

#include <gtest/gtest.h>

namespace {

TEST(PreviewStart, PlaysTheRenderedScreensOfTheMessage)
{
    CVemtApp app;
    app.m_nTPWidth = 16;
    app.m_nTPHeight = 8;
    app.m_nTotalScreen = 3;
    CVemtDoc doc(&app);
    // A red outline in the second screen only.
    doc.AddObj(new CDrawRect({2, 9, 6, 13}, RGB(255, 0, 0), RGB(255, 0, 0), 1, 0));

    SCREENINFO first;
    first.byImport = 13;
    app.m_aScreenInfo = {first};

    auto player = StartPreview(app, doc);
    ASSERT_EQ(app.ScreenInfoCount(), 2) << "two screens in use";
    EXPECT_EQ(app.m_aScreenInfo[0].byImport, 13) << "the first record is kept";
    ASSERT_EQ(player->ScreenCount(), 2);

    CPreviewFrame f;
    ASSERT_TRUE(player->Next(f));
    EXPECT_EQ(f.m_nScreen, 0);
    EXPECT_EQ(f.m_pPicture->GetPixel(2, 1), RGB(0, 0, 0)) << "screen 1 is empty";
    // Screen 2 enters by the default move from right; its exit's first step shows it whole.
    for (int n = 0; n < 200 && !(f.m_nScreen == 1 && f.m_ePhase == PreviewPhase::Exit); ++n)
        ASSERT_TRUE(player->Next(f));
    ASSERT_EQ(f.m_nScreen, 1);
    ASSERT_EQ(f.m_ePhase, PreviewPhase::Exit);
    int lit = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) lit += f.m_pPicture->GetPixel(x, y) == RGB(255, 0, 0);
    EXPECT_EQ(f.m_pPicture->GetPixel(2, 1), RGB(255, 0, 0)) << "the outline's corner, row 9 - 8";
    EXPECT_EQ(f.m_pPicture->GetPixel(4, 2), RGB(0, 0, 0)) << "inside the outline";
    EXPECT_GT(lit, 6);
}

}  // namespace
