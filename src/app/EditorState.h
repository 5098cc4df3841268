#pragma once
// Editor-wide drawing state: one instance per process, shared by every window and read
// by the drawing objects while they draw (zoom and pending update rectangle).

#include "raster/Geometry.h"

#include <string>

// Drawing modes of the editor's tools.
enum DrawMode { kDrawModeSelect = 2, kDrawModeCharacter = 4 };

// Shape numbers of the drawing tools (a tool is found by its shape number).
enum ToolShape { kToolSelect = 0, kToolCharacter = 10 };

extern int g_nDrawMode;        // current drawing mode
extern int g_nToolShape;       // shape variant of the current tool
extern int g_nZoomIndex;       // index into the zoom factors 1, 2, 6, 8
extern int g_nPrevZoomIndex;   // the index before the last zoom change
extern int g_nViewWidth;       // pixel size of the canvas area a document window shows
extern int g_nViewHeight;
extern bool g_bHScroll;        // the canvas is wider / taller than that area
extern bool g_bVScroll;
extern CRect g_rcUpdate;       // pending update rectangle in dots; empty = whole visible area
extern COLORREF g_crForeground;
extern COLORREF g_crBackground;
extern int g_nLineWidth;
extern int g_nFillStyle;
extern int g_bFixRowPitch;     // text rows use the fixed pitch below
extern int g_nFixRowPitch;     // -1: no fixed pitch chosen yet
extern int g_bCanSpan;         // text lines may span screen boundaries

// Text defaults of the text entry window, kept in the profile between runs.
extern int g_nLastFontSize;
extern std::string g_szLastFontName;
extern int g_nLastFontCharset;
extern int g_nLastFontCurPitch;

// The zoom factor of g_nZoomIndex (1, 2, 6 or 8).
int ZoomFactor(int zoomIndex);

// Puts every value back to its start value (start-up, and between tests).
void ResetEditorState();
