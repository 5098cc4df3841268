#pragma once
// The choices of the tool options window, without the window: which option sets a mode
// shows, its caption, and what a click on option `index` changes (the editor-wide value
// and, for line widths and fill styles, every selected object at once).

#include <string>
#include <vector>

class CDrawObj;
class IDrawView;

// The eraser size (0-3) and brush shape (0-11) chosen; no tool uses them yet.
extern int g_nEraserSize;
extern int g_nBrushShape;

enum class EToolOptionSet { None, EraserSizes, BrushShapes, LineWidths, FillStyles, ZoomLevels };

struct CToolModeInfo {
    int m_nMode;
    int m_nCommandId;
    const char* m_pszName;   // prompt name of the toolbar button
    int m_nToolShape;        // -1: the mode has no tool shape
    EToolOptionSet m_options;
    const char* m_pszCaption;  // options window caption; empty for none
    bool m_bHasCommand;        // the button can be chosen
};

// Modes 0 to 13 in toolbar order.
const std::vector<CToolModeInfo>& ToolModeTable();
const CToolModeInfo* ToolModeInfo(int mode);

// How many options a set has.
int OptionCount(EToolOptionSet set);

// A click on option `index` in mode `mode`. Sets the editor-wide value and applies line
// widths and fill styles to every selected object. Zoom levels are chosen by the view
// (they change its layout); here they change nothing. Returns true when an object changed;
// false for an index outside the set.
bool ChooseToolOption(int mode, int index, const std::vector<CDrawObj*>& selection,
                      IDrawView* view);
// The option of the set that is current now (-1 for none).
int CurrentToolOption(int mode);
