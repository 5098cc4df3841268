#pragma once
// What "Designate start position" does to the selection: each checked field sets the
// start (smaller edge) or the extent of every selected object, keeping each object's
// own orientation. A pen stroke's points move with its start; its size never changes.

#include <string>
#include <vector>

class CDrawObj;
class IDrawView;

struct CPositionValues {
    bool m_bX = true;
    bool m_bY = false;
    bool m_bWidth = false;
    bool m_bHeight = false;
    std::string m_szX;  // as typed: decimal text; what cannot be read counts as 0
    std::string m_szY;
    std::string m_szWidth;
    std::string m_szHeight;
};

// The integer in the text as the fields read it: leading blanks, an optional sign and
// the digits that follow; 0 when there are none.
int ReadPositionNumber(const std::string& text);

// Applies the checked fields to every selected object, in selection order. True when an
// object changed. The caller renders afterwards.
bool ApplyPosition(const std::vector<CDrawObj*>& selection, const CPositionValues& values,
                   IDrawView* view);
