#pragma once
// Wires a feature to its menu item by the item's text, so each subsystem installs its own
// commands from its own file and the main frame only lists the menus in their order.
// Every item starts disabled; a wired item is enabled whenever its menu opens and its
// rule says so.

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// The first action whose text is `text` (the exact menu text, "&" included), searched
// through every menu and submenu; nullptr when there is none.
QAction* FindMenuAction(QMenuBar* bar, const QString& text);
// The top-level menu titled `title` ("Send(&S)"); nullptr when there is none.
QMenu* FindMenu(QMenuBar* bar, const QString& title);

// Connects the item named `text` to `run`, and keeps it enabled only while `enabled`
// holds (checked each time its menu opens, and before running from a shortcut).
// Returns the action, or nullptr when no item has that text.
QAction* WireMenuCommand(QMenuBar* bar, const QString& text, std::function<void()> run,
                         std::function<bool()> enabled = [] { return true; });

// The same for any action (a toolbar button, a frame-wide shortcut).
QAction* WireAction(QAction* action, std::function<void()> run,
                    std::function<bool()> enabled = [] { return true; });

// Asks every wired action's rule again, so that shortcuts and toolbar buttons follow the
// selection and the active document without a menu being opened first.
void RefreshCommandStates();
