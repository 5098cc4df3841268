#pragma once
// One undoable change of the per-screen settings: the whole table before and after.
// The table is small (16 bytes a screen), so both sides are kept as they are. Writing a
// side that is already in place changes nothing, so the step is pushed after the change
// was made.

#include "programme/SCREENINFO.h"

#include <QUndoCommand>

#include <vector>

class CVemtDoc;

// The name the Undo and Redo items show for it.
inline constexpr const char* kStepMovingMethod = "Moving Method";

class CSettingsCommand : public QUndoCommand {
public:
    CSettingsCommand(CVemtDoc& doc, std::vector<SCREENINFO> before, std::vector<SCREENINFO> after);

    void undo() override;
    void redo() override;

    // Byte for byte, padding included.
    static bool SameTable(const std::vector<SCREENINFO>& a, const std::vector<SCREENINFO>& b);

private:
    void Apply(const std::vector<SCREENINFO>& side);

    CVemtDoc& m_doc;
    std::vector<SCREENINFO> m_before;
    std::vector<SCREENINFO> m_after;
};
