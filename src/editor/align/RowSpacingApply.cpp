#include "editor/align/RowSpacingApply.h"

#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"

#include <algorithm>

CRowSpacingSurvey SurveyRowSpacing(const std::vector<CDrawObj*>& selection)
{
    CRowSpacingSurvey survey;
    const CDrawFont* previous = nullptr;
    for (CDrawObj* obj : selection) {
        const auto* text = dynamic_cast<const CDrawFont*>(obj);
        if (!text) continue;
        survey.m_nRowPitch = text->m_nRowPitch;
        if (previous && previous->m_nRowPitch != text->m_nRowPitch) {
            survey.m_bAllSame = false;
            break;
        }
        previous = text;
    }
    return survey;
}

bool ApplyRowSpacing(const std::vector<CDrawObj*>& selection, bool fixRowPitch, int rowPitch,
                     int canvasWidth, int canvasHeight)
{
    bool changed = false;
    CRasterSurface scratch(std::max(1, canvasWidth), std::max(1, canvasHeight));
    for (CDrawObj* obj : selection) {
        auto* text = dynamic_cast<CDrawFont*>(obj);
        if (!text) continue;
        if (!fixRowPitch && text->m_nRowPitch != rowPitch) {
            text->m_nRowPitch = rowPitch;
            changed = true;
        }
        // Measured as the text entry measures a new text: the box reaches the lowest line.
        CRasterDC dc(scratch);
        text->Draw(dc, nullptr);
        const CRect r = text->m_rcPosition;
        const int bottom = std::max(r.top + text->m_nTextHeight, text->m_nDrawnBottom);
        const CRect measured(r.left, r.top, r.left + text->m_nTextWidth, bottom);
        if (measured != r) {
            text->m_rcPosition = measured;
            changed = true;
        }
        if (changed && text->m_pDocument) text->m_pDocument->SetModifiedFlag();
    }
    return changed;
}
