#include "app/EditorState.h"

int g_nDrawMode;
int g_nToolShape;
int g_nZoomIndex;
int g_nPrevZoomIndex;
int g_nViewWidth;
int g_nViewHeight;
bool g_bHScroll;
bool g_bVScroll;
CRect g_rcUpdate;
COLORREF g_crForeground;
COLORREF g_crBackground;
int g_nLineWidth;
int g_nFillStyle;
int g_bFixRowPitch;
int g_nFixRowPitch;
int g_bCanSpan;
int g_nLastFontSize;
std::string g_szLastFontName;
int g_nLastFontCharset;
int g_nLastFontCurPitch;

namespace {
// Start values are set once before main, so code that runs before start-up sees them.
struct StartValues {
    StartValues() { ResetEditorState(); }
} startValues;
}  // namespace

int ZoomFactor(int zoomIndex)
{
    static constexpr int kFactors[] = {1, 2, 6, 8};
    return (zoomIndex >= 0 && zoomIndex < 4) ? kFactors[zoomIndex] : 1;
}

void ResetEditorState()
{
    g_nDrawMode = kDrawModeSelect;
    g_nToolShape = 0;
    g_nZoomIndex = 0;
    g_nPrevZoomIndex = 0;
    g_nViewWidth = 0;
    g_nViewHeight = 0;
    g_bHScroll = false;
    g_bVScroll = false;
    g_rcUpdate = CRect();
    g_crForeground = 0x0000FF;
    g_crBackground = 0x000000;
    g_nLineWidth = 1;
    g_nFillStyle = 0;
    g_bFixRowPitch = 1;
    g_nFixRowPitch = -1;
    g_bCanSpan = 0;
    g_nLastFontSize = 12;
    g_szLastFontName = "MS Sans Serif";
    g_nLastFontCharset = 0;
    g_nLastFontCurPitch = 2;
}
