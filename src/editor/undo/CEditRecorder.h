#pragma once
// Records one edit of a document as an undoable step: the objects' bytes are taken when
// the recorder is made and again at Commit, and the positions that differ become the step.

#include "editor/undo/ObjectBytes.h"

#include <QString>

class CVemtDoc;

class CEditRecorder {
public:
    explicit CEditRecorder(CVemtDoc& doc);
    // Records from a state given as bytes (an object added just before counts as new).
    CEditRecorder(CVemtDoc& doc, ObjectListBytes before);

    CVemtDoc& Document() const { return m_doc; }

    // Pushes the step onto the document's history when anything changed; true if pushed.
    // mergeId: successive steps with the same id over the same objects join into one.
    bool Commit(const QString& text, int mergeId = -1);

private:
    CVemtDoc& m_doc;
    ObjectListBytes m_before;
};
