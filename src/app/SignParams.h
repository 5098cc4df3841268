#pragma once
// The numbers that describe the one physical sign a message is composed for.

// Memory size codes: usable message memory in kilobytes by firmware generation.
constexpr int kMemoryBeforeV318 = 51;
constexpr int kMemoryAfterV318 = 55;
constexpr int kMaxScreensCap = 150;
constexpr int kMaxSignWidth = 320;
constexpr int kMaxSignHeight = 64;
constexpr int kMinSignWidth = 8;

// Largest number of screens the sign can store. Integer arithmetic throughout: a width
// that is not a multiple of 8 loses its remainder; only the older firmware halves the
// count for two colours; never more than 150.
int ComputeMaxScreens(int width, int height, int memoryCode, int colorCount);

// The firmware list shows "Before V3.18" (index 0, code 51) and "After V3.18" (index 1).
int MemoryCodeToVersionIndex(int memoryCode);
int VersionIndexToMemoryCode(int index);
