#pragma once
// Where the preview window goes and how it is laid out: it is sized to the sign, centred
// on the desktop, and its one "Close" button sits centred in the space below the
// display.

#include "raster/Geometry.h"

struct CPreviewWindowLayout {
    CRect m_rcWindow;       // on the desktop, frame included
    CRect m_rcCloseButton;  // in client coordinates
    CPoint m_ptDisplay;     // top-left of the W x H display in the client area
};

// templateWindow: the dialog's window size as designed (frame included); frame: the
// width and height the frame and caption take from it; button: the "Close" button's size.
CPreviewWindowLayout ComputePreviewWindowLayout(int signWidth, int signHeight, CSize templateWindow,
                                                CSize frame, CSize button, CSize desktop);
