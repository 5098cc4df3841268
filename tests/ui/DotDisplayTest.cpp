// The dot display redraws only changed dots: after any sequence of pictures it must show
// exactly what a display given the last picture alone shows.
#include "programme/ui/CDotDisplay.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

CRasterSurface Pattern(int w, int h, int phase)
{
    CRasterSurface s(w, h);
    const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x * 3 + y * 5 + phase) % 4 == 0) s.SetPixel(x, y, colors[(x + phase) % 3]);
    return s;
}

QImage Shown(CDotDisplay& d)
{
    d.resize(d.sizeHint());
    return d.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(DotDisplay, AfterAnySequenceItShowsWhatTheLastPictureAloneShows)
{
    struct Case { int zoom; std::vector<int> phases; };
    const Case cases[] = {{1, {0, 1, 2}}, {2, {3, 0}}, {4, {0, 1, 2, 3, 1}}, {8, {2, 2, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        CDotDisplay played;
        played.SetZoom(c.zoom);
        for (int phase : c.phases) played.SetPicture(Pattern(24, 8, phase));
        CDotDisplay fresh;
        fresh.SetPicture(Pattern(24, 8, c.phases.back()));
        fresh.SetZoom(c.zoom);
        const QImage a = Shown(played), b = Shown(fresh);
        ASSERT_EQ(a.size(), QSize(24 * c.zoom, 8 * c.zoom));
        EXPECT_TRUE(a == b);
    }
    // A zoom change after the pictures redraws the whole board.
    CDotDisplay zoomed;
    zoomed.SetPicture(Pattern(24, 8, 1));
    zoomed.SetZoom(4);
    zoomed.SetPicture(Pattern(24, 8, 2));
    zoomed.SetZoom(8);
    CDotDisplay fresh;
    fresh.SetZoom(8);
    fresh.SetPicture(Pattern(24, 8, 2));
    EXPECT_TRUE(Shown(zoomed) == Shown(fresh));
}
