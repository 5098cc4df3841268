#include "editor/CUndoCommands.h"

#include "document/CVemtDoc.h"
#include "editor/MenuCommands.h"
#include "editor/undo/CUndoHistory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoGroup>
#include <QUndoStack>

CUndoCommands::CUndoCommands(QMenuBar* bar, std::function<CVemtDoc*()> activeDocument,
                             QObject* parent)
    : QObject(parent), m_fnActiveDocument(std::move(activeDocument)), m_pGroup(new QUndoGroup(this))
{
    m_pUndo = FindMenuAction(bar, QString::fromLatin1(kUndoText));
    if (!m_pUndo) return;
    m_pUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_pRedo = new QAction(QString::fromLatin1(kRedoText), m_pUndo->parent());
    m_pRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    m_pRedo->setStatusTip(QStringLiteral("Redo the last action undone"));
    for (QObject* o : m_pUndo->associatedObjects()) {
        auto* menu = qobject_cast<QMenu*>(o);
        if (!menu) continue;
        // Right after Undo.
        const QList<QAction*> actions = menu->actions();
        const qsizetype at = actions.indexOf(m_pUndo);
        QAction* next = at >= 0 && at + 1 < actions.size() ? actions[at + 1] : nullptr;
        menu->insertAction(next, m_pRedo);
        connect(menu, &QMenu::aboutToShow, this, &CUndoCommands::Refresh);
    }
    connect(m_pUndo, &QAction::triggered, this, [this] { Run(true); });
    connect(m_pRedo, &QAction::triggered, this, [this] { Run(false); });
    connect(m_pGroup, &QUndoGroup::indexChanged, this, &CUndoCommands::UpdateActions);
    connect(m_pGroup, &QUndoGroup::activeStackChanged, this, &CUndoCommands::UpdateActions);
    connect(m_pGroup, &QUndoGroup::cleanChanged, this, &CUndoCommands::UpdateActions);
    UpdateActions();
}

void CUndoCommands::Refresh()
{
    CVemtDoc* doc = m_fnActiveDocument ? m_fnActiveDocument() : nullptr;
    QUndoStack* stack = doc ? &CUndoHistory::Of(*doc).Stack() : nullptr;
    if (stack && !m_pGroup->stacks().contains(stack)) m_pGroup->addStack(stack);
    m_pGroup->setActiveStack(stack);
    UpdateActions();
}

void CUndoCommands::UpdateActions()
{
    if (!m_pUndo) return;
    const bool canUndo = m_pGroup->canUndo();
    const bool canRedo = m_pGroup->canRedo();
    // The items keep their menu texts (users and scripts find them by those); the step
    // they would take back or redo is named in the status bar prompt and the tooltip.
    const QString undoWhat = canUndo ? QStringLiteral("Undo %1").arg(m_pGroup->undoText())
                                     : QStringLiteral("Undo the last action");
    const QString redoWhat = canRedo ? QStringLiteral("Redo %1").arg(m_pGroup->redoText())
                                     : QStringLiteral("Redo the last action undone");
    m_pUndo->setStatusTip(undoWhat);
    m_pUndo->setToolTip(undoWhat);
    m_pRedo->setStatusTip(redoWhat);
    m_pRedo->setToolTip(redoWhat);
    m_pUndo->setEnabled(canUndo);
    m_pRedo->setEnabled(canRedo);
}

void CUndoCommands::Run(bool undo)
{
    if (m_fnBeforeStep) m_fnBeforeStep();
    // A shortcut may come before any menu opened: take the active document now.
    Refresh();
    CVemtDoc* doc = m_fnActiveDocument ? m_fnActiveDocument() : nullptr;
    if (!doc) return;
    CUndoHistory& history = CUndoHistory::Of(*doc);
    if (undo ? !history.CanUndo() : !history.CanRedo()) return;
    if (undo) history.Undo();
    else history.Redo();
    emit DocumentChanged(doc);
}
