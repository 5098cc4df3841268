#pragma once
// What the send benchmarks share: the sender thread's processor clock and one message of
// the given size, a busy two-colour pattern scanned into its bit planes.

#include "comm/CBitPlanes.h"
#include "comm/ScanBitPlanes.h"
#include "raster/CRasterSurface.h"

#include <ctime>

inline double ThreadCpuSeconds()
{
    timespec ts {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// False when the scan fails.
inline bool ScanBenchMessage(int width, int height, int screens, CBitPlanes& planes)
{
    CRasterSurface canvas(width, height * screens, 0);
    for (int y = 0; y < height * screens; ++y)
        for (int x = 0; x < width; ++x)
            canvas.SetPixel(x, y, ((x ^ y) & 3) == 0 ? 0x0000FF : ((x + y) % 5 == 0 ? 0x00FFFF : 0));
    return ScanBitPlanes(canvas, height * screens, CScanParams {width, height, screens, 2}, planes, nullptr).m_bOk;
}
