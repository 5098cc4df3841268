#pragma once
// The "Align Tools" commands: align edges, copy the size of the dominant object (the last
// selected), centre within a screen, space evenly. Each works on a selection in selection
// order and changes objects through MoveToRect, so the pending update rectangle grows with
// every change; the caller renders once afterwards.

#include "raster/Geometry.h"

#include <cstddef>
#include <vector>

class CDrawObj;
class IDrawView;

enum class EAlignCommand {
    AlignLeft,
    AlignRight,
    AlignTop,
    AlignBottom,
    SameWidth,
    SameHeight,
    SameSize,
    CenterVertical,
    CenterHorizontal,
    SpaceDown,
    SpaceAcross,
    SpecifyPosition,
};

struct CAlignCommandInfo {
    EAlignCommand m_command;
    int m_nId;              // command id
    const char* m_pszName;  // tooltip and status text
    int m_nMinSelection;    // enabled from this many selected objects on
};

// The twelve commands in toolbar order.
const std::vector<CAlignCommandInfo>& AlignCommandTable();
const CAlignCommandInfo& AlignCommandInfo(EAlignCommand command);
bool IsAlignCommandEnabled(EAlignCommand command, std::size_t selectionCount);

// Runs one of the first eleven commands (SpecifyPosition has its dialog) over the
// selection on a sign `signWidth` dots wide with screens `screenHeight` rows high.
// Does nothing when fewer objects are selected than the command needs. True when an
// object changed.
bool RunAlignCommand(EAlignCommand command, const std::vector<CDrawObj*>& selection,
                     int signWidth, int screenHeight, IDrawView* view);
