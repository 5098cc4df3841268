#include "editor/undo/CEditRecorder.h"

#include "document/CVemtDoc.h"
#include "editor/undo/CObjectsCommand.h"
#include "editor/undo/CUndoHistory.h"

#include <memory>

CEditRecorder::CEditRecorder(CVemtDoc& doc) : m_doc(doc), m_before(ToObjectListBytes(doc)) {}

CEditRecorder::CEditRecorder(CVemtDoc& doc, ObjectListBytes before)
    : m_doc(doc), m_before(std::move(before))
{
}

bool CEditRecorder::Commit(const QString& text, int mergeId)
{
    CUndoHistory& history = CUndoHistory::Of(m_doc);
    auto step = std::make_unique<CObjectsCommand>(&history, m_doc, m_before,
                                                  ToObjectListBytes(m_doc), text, mergeId);
    if (step->IsEmpty()) return false;
    history.Push(step.release());
    // A second commit records from here.
    m_before = ToObjectListBytes(m_doc);
    return true;
}
