#include "editor/undo/CUndoHistory.h"

#include "document/CVemtDoc.h"
#include "document/IDrawView.h"

#include <QUndoStack>

CUndoHistory::CUndoHistory(CVemtDoc& doc) : m_doc(doc), m_pStack(std::make_unique<QUndoStack>())
{
    m_pStack->setUndoLimit(kUndoLimit);
    QObject::connect(m_pStack.get(), &QUndoStack::indexChanged, m_pStack.get(),
                     [this] { FollowCleanState(); });
}

std::function<void(CVemtDoc&)> CUndoHistory::s_fnResetListener;

CUndoHistory::~CUndoHistory()
{
    if (s_fnResetListener) s_fnResetListener(m_doc);
}

CUndoHistory& CUndoHistory::Of(CVemtDoc& doc)
{
    if (auto* history = dynamic_cast<CUndoHistory*>(doc.GetHistory())) return *history;
    auto history = std::make_unique<CUndoHistory>(doc);
    CUndoHistory& ref = *history;
    doc.SetHistory(std::move(history));
    return ref;
}

void CUndoHistory::Push(QUndoCommand* step)
{
    m_pStack->push(step);
    FollowCleanState();
}

void CUndoHistory::Undo()
{
    // The step may replace or remove objects: nobody may keep pointing at them.
    if (s_fnResetListener && m_pStack->canUndo()) s_fnResetListener(m_doc);
    m_pStack->undo();
}

void CUndoHistory::Redo()
{
    if (s_fnResetListener && m_pStack->canRedo()) s_fnResetListener(m_doc);
    m_pStack->redo();
}

bool CUndoHistory::CanUndo() const
{
    return m_pStack->canUndo();
}

bool CUndoHistory::CanRedo() const
{
    return m_pStack->canRedo();
}

QString CUndoHistory::UndoText() const
{
    return m_pStack->undoText();
}

QString CUndoHistory::RedoText() const
{
    return m_pStack->redoText();
}

void CUndoHistory::OnDocumentSaved()
{
    m_pStack->setClean();
}

void CUndoHistory::OnDocumentReset()
{
    if (s_fnResetListener) s_fnResetListener(m_doc);
    m_pStack->clear();
}

void CUndoHistory::StepApplied(const std::vector<CDrawObj*>& changed)
{
    m_doc.UpdateAllViews(nullptr, UPD_ALL);
    if (m_fnApplied) m_fnApplied(changed);
}

void CUndoHistory::FollowCleanState()
{
    m_doc.SetModifiedFlag(!m_pStack->isClean());
}
