#pragma once
// One undoable step: the document's objects before and after an edit, by list position,
// as archive bytes (empty: no object at that position). Undo writes the "before" side
// back, redo the "after" side. Writing a side that is already in place changes nothing,
// so the step can be pushed after the edit was made live (a drag) and redone any number
// of times.

#include "editor/undo/ObjectBytes.h"

#include <QUndoCommand>

#include <cstddef>
#include <vector>

class CUndoHistory;
class CVemtDoc;

class CObjectsCommand : public QUndoCommand {
public:
    // Merge ids: successive steps with the same id and the same objects become one.
    static constexpr int kNoMerge = -1;
    static constexpr int kNudgeMerge = 1;

    struct Entry {
        std::size_t m_nPos;
        ObjectBytes m_before;
        ObjectBytes m_after;
    };

    // The positions whose bytes differ between the two lists. The document is taken to
    // hold the "after" side already.
    CObjectsCommand(CUndoHistory* history, CVemtDoc& doc, const ObjectListBytes& before,
                    const ObjectListBytes& after, const QString& text, int mergeId = kNoMerge);

    // No position differs: pushing it would add a step that does nothing.
    bool IsEmpty() const { return m_entries.empty(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    void undo() override;
    void redo() override;
    int id() const override { return m_nMergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    // Makes the document hold one side: objects changed in place where the class allows
    // (so the selection keeps pointing at them), replaced, added or removed otherwise.
    void Apply(bool after);

    CUndoHistory* m_pHistory;
    CVemtDoc& m_doc;
    std::vector<Entry> m_entries;  // ascending positions
    std::size_t m_nSizeBefore;
    std::size_t m_nSizeAfter;
    int m_nMergeId;
};
