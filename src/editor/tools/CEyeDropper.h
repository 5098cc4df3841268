#pragma once
// The eye drop, which the canvas view runs itself: the left button picks the foreground
// colour, the right button the background colour, from the dot under the mouse, on the
// press, while the button is held and once more on the release, which ends in select mode.

#include "raster/Geometry.h"

class IToolContext;

class CEyeDropper {
public:
    enum class Button { Left, Right };

    // Each returns true when a picked colour differed from the stored one (the palette
    // then repaints).
    bool OnPress(IToolContext& ctx, Button button, CPoint point);
    // buttons: the kMkLButton / kMkRButton flags held.
    bool OnMove(IToolContext& ctx, unsigned buttons, CPoint point);
    bool OnRelease(IToolContext& ctx, Button button, CPoint point);

private:
    static bool Pick(IToolContext& ctx, Button button, CPoint point);
};
