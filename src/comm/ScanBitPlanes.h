#pragma once
// Turns the rendered canvas (one pixel per dot) into the red and green bit-planes.

#include "comm/CBitPlanes.h"

#include <string>

class CRasterSurface;
class IProgressSink;

struct CScanParams {
    int m_nTPWidth = 0;       // W
    int m_nTPHeight = 0;      // H
    int m_nTotalScreen = 0;   // N
    int m_nColorCount = 1;    // 1 red only, 2 red and green
};

struct CScanResult {
    bool m_bOk = false;
    std::string m_szMessage;  // why nothing was scanned, for the user
    std::string m_szCaption;
};

// usedHeight is the canvas's used height (whole screens). Rows beyond the surface or
// beyond H * N are never read. A dot is red when its red component is at least 128 and,
// on a double-colour sign, green when its green component is at least 128.
// W must be a multiple of 8: a row of the sign is a whole number of bytes.
CScanResult ScanBitPlanes(const CRasterSurface& surface, int usedHeight, const CScanParams& params,
                          CBitPlanes& planes, IProgressSink* progress);
