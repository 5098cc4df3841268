// Menu items wired by their texts: enabled by their rule when the menu opens, and never
// run from a shortcut while the rule says no.
#include "editor/MenuCommands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

TEST(MenuCommands, WiresTheItemNamedByItsTextAndFollowsItsRule)
{
    QMenuBar bar;
    QMenu* send = bar.addMenu(QStringLiteral("Send(&S)"));
    QAction* item = send->addAction(QStringLiteral("Adjust Time"));
    item->setEnabled(false);
    QMenu* sub = send->addMenu(QStringLiteral("More"));
    QAction* nested = sub->addAction(QStringLiteral("Timer"));

    bool allowed = false;
    int runs = 0;
    EXPECT_EQ(WireMenuCommand(&bar, QStringLiteral("Adjust Time"), [&] { ++runs; }, [&] { return allowed; }),
              item);
    EXPECT_FALSE(item->isEnabled());

    allowed = true;
    emit send->aboutToShow();
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(runs, 1);

    // The rule changed after the menu last opened: a shortcut does not run the command.
    allowed = false;
    item->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(item->isEnabled());

    EXPECT_EQ(FindMenuAction(&bar, QStringLiteral("Timer")), nested);
    EXPECT_EQ(FindMenu(&bar, QStringLiteral("Send(&S)")), send);
    EXPECT_EQ(WireMenuCommand(&bar, QStringLiteral("No such item"), [] {}), nullptr);
}
