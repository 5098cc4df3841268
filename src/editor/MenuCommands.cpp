#include "editor/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* FindIn(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions) {
        if (a->text() == text && !a->menu()) return a;
        if (QMenu* sub = a->menu())
            if (QAction* found = FindIn(sub->actions(), text)) return found;
    }
    return nullptr;
}

}  // namespace

QAction* FindMenuAction(QMenuBar* bar, const QString& text)
{
    return FindIn(bar->actions(), text);
}

QMenu* FindMenu(QMenuBar* bar, const QString& title)
{
    for (QAction* a : bar->actions())
        if (a->menu() && a->text() == title) return a->menu();
    return nullptr;
}

QAction* WireMenuCommand(QMenuBar* bar, const QString& text, std::function<void()> run,
                         std::function<bool()> enabled)
{
    QAction* action = FindMenuAction(bar, text);
    if (!action) return nullptr;
    action->setEnabled(enabled());
    QObject::connect(action, &QAction::triggered, action, [action, run, enabled] {
        // A shortcut can fire while the menu's last enabling is stale: ask again.
        if (!enabled()) {
            action->setEnabled(false);
            return;
        }
        run();
    });
    for (QObject* o : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o))
            QObject::connect(menu, &QMenu::aboutToShow, action,
                             [action, enabled] { action->setEnabled(enabled()); });
    return action;
}
