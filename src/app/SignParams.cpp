#include "app/SignParams.h"

int ComputeMaxScreens(int width, int height, int memoryCode, int colorCount)
{
    const int bytesPerScreen = (width / 8) * height;
    if (bytesPerScreen <= 0) return kMaxScreensCap;  // nothing to store per screen: no limit but the cap
    int n = (memoryCode * 1024) / bytesPerScreen;
    if (memoryCode <= kMemoryBeforeV318 && colorCount == 2) n /= 2;
    if (n > kMaxScreensCap) n = kMaxScreensCap;
    return n;
}

int MemoryCodeToVersionIndex(int memoryCode)
{
    return memoryCode == kMemoryBeforeV318 ? 0 : 1;
}

int VersionIndexToMemoryCode(int index)
{
    return index == 0 ? kMemoryBeforeV318 : kMemoryAfterV318;
}
