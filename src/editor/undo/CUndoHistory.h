#pragma once
// The undo stack of one document. The document owns it (attached on first use); the
// stack's clean state drives the document's modified flag: saving marks the present
// state clean, undoing back to it clears the flag, undoing past it sets it again.
// Opening, clearing or closing the document starts a new history.

#include "document/IDocumentHistory.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CDrawObj;
class CVemtDoc;
class QUndoCommand;
class QUndoStack;

class CUndoHistory : public IDocumentHistory {
public:
    // Steps kept; the oldest go beyond this.
    static constexpr int kUndoLimit = 100;

    explicit CUndoHistory(CVemtDoc& doc);
    ~CUndoHistory() override;
    CUndoHistory(const CUndoHistory&) = delete;
    CUndoHistory& operator=(const CUndoHistory&) = delete;

    // The document's history, attached to it on first use.
    static CUndoHistory& Of(CVemtDoc& doc);

    QUndoStack& Stack() const { return *m_pStack; }
    CVemtDoc& Document() const { return m_doc; }

    // Adds a step that is already in effect (its first redo changes nothing).
    void Push(QUndoCommand* step);
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // What the next undo or redo takes back or does again ("Move"); empty for none.
    QString UndoText() const;
    QString RedoText() const;

    // Told after every undo or redo with the objects it changed or added, after the views
    // were asked to repaint: the editor selects them.
    std::function<void(const std::vector<CDrawObj*>& changed)> m_fnApplied;

    // IDocumentHistory
    void OnDocumentSaved() override;
    void OnDocumentReset() override;

    // Told when a document's content is replaced or the document goes (clear, open,
    // close): whoever holds its objects lets go of them.
    static std::function<void(CVemtDoc& doc)> s_fnResetListener;

    // Called by the steps once a side is written back.
    void StepApplied(const std::vector<CDrawObj*>& changed);

private:
    void FollowCleanState();

    CVemtDoc& m_doc;
    std::unique_ptr<QUndoStack> m_pStack;
};
