#pragma once
// What "Setting the row spacing" does to the selected text objects once confirmed.

#include <vector>

class CDrawObj;

// Whether every selected text object has the same row spacing (compared each with the
// one before, stopping at the first difference), and the spacing of the object examined
// last. Objects that are not text are passed over.
struct CRowSpacingSurvey {
    bool m_bAllSame = true;
    int m_nRowPitch = -1;
};
CRowSpacingSurvey SurveyRowSpacing(const std::vector<CDrawObj*>& selection);

// Without a fixed spacing every selected text object takes `rowPitch`; then every one is
// measured again (drawn once on a canvas `canvasWidth` x `canvasHeight`) and its
// rectangle made to hold the text. True when an object changed.
bool ApplyRowSpacing(const std::vector<CDrawObj*>& selection, bool fixRowPitch, int rowPitch,
                     int canvasWidth, int canvasHeight);
