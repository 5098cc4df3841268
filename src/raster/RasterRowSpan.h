#pragma once
// One run of pixels on one row: the unit in which areas (regions, flood fills) are kept.

struct CRowSpan {
    int y;
    int x0;  // first pixel
    int x1;  // one past the last pixel
};
