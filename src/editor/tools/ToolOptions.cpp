#include "editor/tools/ToolOptions.h"

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "editor/tools/CDrawTool.h"

int g_nBrushShape = 0;
int g_nEraserSize = 0;

const std::vector<CToolModeInfo>& ToolModeTable()
{
    using enum EToolOptionSet;
    static const std::vector<CToolModeInfo> table = {
        {0, 61447, "Eraser", -1, EraserSizes, "", false},
        {1, 61448, "Pen", kShapePenTool, None, "", true},
        {2, 61449, "Select", kShapeSelect, None, "", true},
        {3, 61550, "Brush", -1, BrushShapes, "", false},
        {4, 61551, "Character", kShapeCharacterTool, None, "", true},
        {5, 61552, "Fill", kShapeFillTool, None, "", true},
        {6, 61553, "Line", kShapeLineTool, LineWidths, "Line Mode", true},
        {7, 61554, "Eye Drop", kShapeEyeDrop, None, "", true},
        {8, 61555, "Zoom", kShapeZoom, ZoomLevels, "Zoom Mode", true},
        {9, 61556, "Rectangle", kShapeRectTool, FillStyles, "Rect Mode", true},
        {10, 61557, "Round rectangle", kShapeRoundRectTool, FillStyles, "Round Rect Mode", true},
        {11, 61558, "Oval", kShapeOvalTool, FillStyles, "Circle Mode", true},
        {12, 61559, "PolyLine", kShapePolyTool, FillStyles, "PolyLine Mode", true},
        {13, 61560, "Arc", kShapeArcTool, LineWidths, "Arc Mode", true},
    };
    return table;
}

const CToolModeInfo* ToolModeInfo(int mode)
{
    const auto& table = ToolModeTable();
    return mode >= 0 && mode < int(table.size()) ? &table[std::size_t(mode)] : nullptr;
}

int OptionCount(EToolOptionSet set)
{
    switch (set) {
    case EToolOptionSet::EraserSizes: return 4;
    case EToolOptionSet::BrushShapes: return 12;
    case EToolOptionSet::LineWidths: return 5;
    case EToolOptionSet::FillStyles: return 3;
    case EToolOptionSet::ZoomLevels: return 4;
    case EToolOptionSet::None: return 0;
    }
    return 0;
}

bool ChooseToolOption(int mode, int index, const std::vector<CDrawObj*>& selection,
                      IDrawView* view)
{
    const CToolModeInfo* info = ToolModeInfo(mode);
    if (!info || index < 0 || index >= OptionCount(info->m_options)) return false;
    bool changed = false;
    switch (info->m_options) {
    case EToolOptionSet::EraserSizes: g_nEraserSize = index; break;
    case EToolOptionSet::BrushShapes: g_nBrushShape = index; break;
    case EToolOptionSet::LineWidths:
        g_nLineWidth = index + 1;
        for (CDrawObj* obj : selection) {
            if (obj->m_nPenWidth == g_nLineWidth) continue;
            obj->m_nPenWidth = g_nLineWidth;
            changed = true;
        }
        break;
    case EToolOptionSet::FillStyles:
        g_nFillStyle = index;
        for (CDrawObj* obj : selection) {
            if (obj->m_nFillMode == g_nFillStyle) continue;
            obj->m_nFillMode = g_nFillStyle;
            changed = true;
        }
        break;
    case EToolOptionSet::ZoomLevels:
    case EToolOptionSet::None: break;
    }
    if (changed) {
        // A wider pen reaches beyond the rectangles: the whole visible canvas is drawn.
        g_rcUpdate.SetRectEmpty();
        for (CDrawObj* obj : selection)
            if (obj->m_pDocument) obj->m_pDocument->SetModifiedFlag();
    }
    (void)view;
    return changed;
}

int CurrentToolOption(int mode)
{
    const CToolModeInfo* info = ToolModeInfo(mode);
    if (!info) return -1;
    switch (info->m_options) {
    case EToolOptionSet::EraserSizes: return g_nEraserSize;
    case EToolOptionSet::BrushShapes: return g_nBrushShape;
    case EToolOptionSet::LineWidths: return g_nLineWidth - 1;
    case EToolOptionSet::FillStyles: return g_nFillStyle;
    case EToolOptionSet::ZoomLevels: return g_nZoomIndex;
    case EToolOptionSet::None: return -1;
    }
    return -1;
}
