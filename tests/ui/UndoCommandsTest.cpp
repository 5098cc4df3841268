#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "editor/CUndoCommands.h"
#include "editor/undo/CEditRecorder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> BytesOf(const CVemtDoc& doc)
{
    CArchive ar;
    doc.WriteObjects(ar);
    return ar.Data();
}

class UndoCommandsTest : public testing::Test {
protected:
    UndoCommandsTest()
    {
        QMenu* edit = bar.addMenu(QStringLiteral("Edit(&E)"));
        edit->addAction(QStringLiteral("Undo(&U)"))->setEnabled(false);
        edit->addSeparator();
        edit->addAction(QStringLiteral("Cu&t"));
    }
    void Move(CVemtDoc& doc, int dx)
    {
        CEditRecorder recorder(doc);
        CDrawObj* obj = doc.m_objects[0];
        CRect r = obj->m_rcPosition;
        r.OffsetRect(dx, 0);
        obj->MoveToRect(r, nullptr, false);
        recorder.Commit(QStringLiteral("Move"));
    }
    QMenuBar bar;
    CVemtDoc a, b;
    CVemtDoc* active = &a;
};

TEST_F(UndoCommandsTest, RedoSitsRightAfterUndoWithItsShortcuts)
{
    CUndoCommands commands(&bar, [this] { return active; }, nullptr);
    const QList<QAction*> items = bar.actions()[0]->menu()->actions();
    ASSERT_GE(items.size(), 3);
    EXPECT_EQ(items[0], commands.UndoAction());
    EXPECT_EQ(items[1], commands.RedoAction());
    EXPECT_EQ(commands.UndoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(commands.RedoAction()->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
}

TEST_F(UndoCommandsTest, TheItemsNameTheStepAndFollowTheActiveDocument)
{
    a.AddObj(new CDrawRect({0, 0, 4, 4}, 0xFF, 0, 1, 0));
    b.AddObj(new CDrawRect({0, 0, 4, 4}, 0xFF, 0, 1, 0));
    CUndoCommands commands(&bar, [this] { return active; }, nullptr);
    QAction* undo = commands.UndoAction();
    QAction* redo = commands.RedoAction();
    commands.Refresh();
    EXPECT_EQ(undo->text(), "Undo(&U)");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), "Redo");
    EXPECT_FALSE(redo->isEnabled());

    const auto start = BytesOf(a);
    Move(a, 3);
    EXPECT_EQ(undo->text(), "Undo(&U)") << "the menu text stays; the prompt names the step";
    EXPECT_EQ(undo->statusTip(), "Undo Move");
    EXPECT_TRUE(undo->isEnabled());

    // Another window: its own history.
    active = &b;
    commands.Refresh();
    EXPECT_FALSE(undo->isEnabled());
    active = &a;
    commands.Refresh();

    CVemtDoc* changed = nullptr;
    QObject::connect(&commands, &CUndoCommands::DocumentChanged, [&](CVemtDoc* doc) { changed = doc; });
    undo->trigger();
    EXPECT_EQ(BytesOf(a), start);
    EXPECT_EQ(changed, &a);
    EXPECT_EQ(undo->text(), "Undo(&U)");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->statusTip(), "Redo Move");
    EXPECT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_NE(BytesOf(a), start);
    EXPECT_EQ(undo->statusTip(), "Undo Move");

    // No window: both off.
    active = nullptr;
    commands.Refresh();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

}  // namespace
