#pragma once
// The Edit menu's "Undo(&U)" and the "Redo" placed right after it, following the undo
// stack of the active document: each names what it would take back or do again ("Undo
// Move", "Redo Move") and is disabled with its plain text when there is nothing to do.

#include <QObject>

#include <functional>

class CVemtDoc;
class QAction;
class QMenuBar;
class QUndoGroup;

class CUndoCommands : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kUndoText = "Undo(&U)";
    static constexpr const char* kRedoText = "Redo";

    // `activeDocument` gives the document the commands act on (none without a window).
    CUndoCommands(QMenuBar* bar, std::function<CVemtDoc*()> activeDocument, QObject* parent);

    QAction* UndoAction() const { return m_pUndo; }
    QAction* RedoAction() const { return m_pRedo; }
    QUndoGroup& Group() const { return *m_pGroup; }

    // Follows the active document (after a window was activated, opened or closed).
    void Refresh();

    // Runs before every undo or redo: whatever is half done (a drag, a polygon, a text
    // being typed) is finished first, so no one holds an object the step replaces.
    std::function<void()> m_fnBeforeStep;

signals:
    // An undo or redo changed the active document.
    void DocumentChanged(CVemtDoc* doc);

private:
    void UpdateActions();
    void Run(bool undo);

    std::function<CVemtDoc*()> m_fnActiveDocument;
    QUndoGroup* m_pGroup;
    QAction* m_pUndo = nullptr;
    QAction* m_pRedo = nullptr;
};
