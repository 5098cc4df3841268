#include "editor/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <vector>

namespace {

struct WiredRule {
    QPointer<QAction> action;
    std::function<bool()> enabled;
};

std::vector<WiredRule>& WiredRules()
{
    static std::vector<WiredRule> rules;
    return rules;
}

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
    return WireAction(FindMenuAction(bar, text), std::move(run), std::move(enabled));
}

QAction* WireAction(QAction* action, std::function<void()> run, std::function<bool()> enabled)
{
    if (!action) return nullptr;
    action->setEnabled(enabled());
    QObject::connect(action, &QAction::triggered, action, [action, run, enabled] {
        // A shortcut can fire while the last enabling is stale: ask again.
        if (!enabled()) {
            action->setEnabled(false);
            return;
        }
        run();
        RefreshCommandStates();
    });
    for (QObject* o : action->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o))
            QObject::connect(menu, &QMenu::aboutToShow, action,
                             [action, enabled] { action->setEnabled(enabled()); });
    WiredRules().push_back({action, enabled});
    return action;
}

void RefreshCommandStates()
{
    auto& rules = WiredRules();
    std::erase_if(rules, [](const WiredRule& r) { return r.action.isNull(); });
    const std::vector<WiredRule> current = rules;
    for (const WiredRule& r : current)
        if (r.action) r.action->setEnabled(r.enabled());
}
