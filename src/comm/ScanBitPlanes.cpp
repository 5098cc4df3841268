#include "comm/ScanBitPlanes.h"

#include "comm/CommTexts.h"
#include "comm/IProgressSink.h"
#include "raster/CRasterSurface.h"

#include <algorithm>

CScanResult ScanBitPlanes(const CRasterSurface& surface, int usedHeight, const CScanParams& params,
                          CBitPlanes& planes, IProgressSink* progress)
{
    CScanResult result;
    planes.Clear();
    const int W = params.m_nTPWidth;
    if (W <= 0 || W % 8 != 0 || W > surface.Width()) {
        result.m_szMessage = CommTexts::kWidthNotByte;
        result.m_szCaption = CommTexts::kWidthNotByteCaption;
        return result;
    }
    const int maxRows = std::max(0, params.m_nTPHeight) * std::max(0, params.m_nTotalScreen);
    const int R = std::clamp(usedHeight, 0, std::min(maxRows, surface.Height()));
    const int B = R * W / 8;
    const bool dbl = params.m_nColorCount != 1;
    planes.m_nRows = R;
    planes.m_nBytes = B;
    planes.m_aRed.assign(std::size_t(B) + 1, 0);
    if (dbl) planes.m_aGreen.assign(std::size_t(B) + 1, 0);

    if (progress) {
        progress->SetText(CommTexts::kScanning);
        progress->SetRange(0, B);
        progress->SetStep(B / 100);
        progress->SetPos(0);
    }
    std::uint8_t* red = planes.m_aRed.data();
    std::uint8_t* green = dbl ? planes.m_aGreen.data() : nullptr;
    int index = 0;
    for (int y = 0; y < R; ++y) {
        const COLORREF* row = surface.Row(y);
        for (int x = 0; x < W; x += 8) {
            std::uint8_t r = 0;
            std::uint8_t g = 0;
            for (int b = 0; b < 8; ++b) {
                const COLORREF c = row[x + b];
                const std::uint8_t bit = std::uint8_t(0x80u >> b);
                if ((c & 0xFFu) >= 0x80u) r |= bit;
                if (((c >> 8) & 0xFFu) >= 0x80u) g |= bit;
            }
            red[index] = r;
            if (green) green[index] = g;
            ++index;
            // Updating the bar only at every hundredth byte keeps a large canvas fast.
            if (progress && index % 100 == 0) progress->SetPos(index);
        }
    }
    result.m_bOk = true;
    return result;
}
