#include "editor/DrawCursors.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace {

TEST(DrawCursors, TheToolsOwnCursorsArePicturesWithTheirHotSpots)
{
    const struct {
        EDrawCursor cursor;
        QPoint hotSpot;
    } cases[] = {
        {EDrawCursor::Select, {1, 1}},
        {EDrawCursor::Pen, {1, 30}},
        {EDrawCursor::Fill, {3, 29}},
        {EDrawCursor::EyeDrop, {1, 30}},
    };
    for (const auto& c : cases) {
        const QCursor cursor = CursorFor(c.cursor);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
        EXPECT_EQ(cursor.hotSpot(), c.hotSpot);
    }
}

TEST(DrawCursors, HandlesUseThePlatformsSizingCursors)
{
    EXPECT_EQ(CursorFor(EDrawCursor::SizeNWSE).shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(CursorFor(EDrawCursor::SizeNS).shape(), Qt::SizeVerCursor);
    EXPECT_EQ(CursorFor(EDrawCursor::SizeNESW).shape(), Qt::SizeBDiagCursor);
    EXPECT_EQ(CursorFor(EDrawCursor::SizeWE).shape(), Qt::SizeHorCursor);
    EXPECT_EQ(CursorFor(EDrawCursor::SizeAll).shape(), Qt::SizeAllCursor);
}

}  // namespace
