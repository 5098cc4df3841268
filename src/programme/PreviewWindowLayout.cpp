#include "programme/PreviewWindowLayout.h"

CPreviewWindowLayout ComputePreviewWindowLayout(int signWidth, int signHeight, CSize templateWindow,
                                                CSize frame, CSize button, CSize desktop)
{
    CPreviewWindowLayout layout;
    const int windowWidth = signWidth + 10;
    const int windowHeight = templateWindow.cy + signHeight;
    // The horizontal position centres the sign's width rather than the window's, which
    // puts the window 5 pixels right of the centre.
    const int left = (desktop.cx - signWidth) / 2;
    const int top = (desktop.cy - windowHeight) / 2;
    layout.m_rcWindow = CRect(left, top, left + windowWidth, top + windowHeight);

    const int clientWidth = windowWidth - frame.cx;
    const int clientHeight = windowHeight - frame.cy;
    const int bx = (clientWidth - button.cx) / 2;
    const int by = signHeight + (clientHeight - signHeight - button.cy) / 2;
    layout.m_rcCloseButton = CRect(bx, by, bx + button.cx, by + button.cy);
    layout.m_ptDisplay = CPoint(3, 0);
    return layout;
}
