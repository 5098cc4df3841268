#include "EditorTestSupport.h"

#include "document/CDrawFill.h"
#include "document/CDrawFont.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CObjectsCommand.h"
#include "editor/undo/CUndoHistory.h"

#include <QUndoStack>

#include <functional>

namespace {

CDrawRect* NewRect(CRect r, int shape = kShapeRectangle, COLORREF line = 0x0000FF)
{
    auto* obj = new CDrawRect(r, line, 0, 1, kFillOutline);
    obj->m_nShape = shape;
    return obj;
}

CDrawPoly* NewTriangle(CVemtDoc& doc)
{
    auto* poly = new CDrawPoly({20, 2, 20, 2}, 0x0000FF, 0, 1, kFillOutline);
    doc.AddObj(poly);
    for (CPoint p : {CPoint(20, 2), CPoint(28, 2), CPoint(24, 8)}) poly->AddPoint(p, nullptr);
    poly->RecalcBounds();
    return poly;
}

using Edit = std::function<void(CVemtDoc&)>;

struct Sequence {
    const char* name;
    std::vector<Edit> edits;  // each one step
};

// A document with a rectangle, a line drawn right to left and a pen stroke.
void Populate(CVemtDoc& doc)
{
    doc.AddObj(NewRect({1, 1, 6, 5}));
    doc.AddObj(NewRect({14, 9, 9, 3}, kShapeLine));
    auto* stroke = new CStroke(1, 0x0000FF);
    stroke->m_aPoints = {{40, 2}, {41, 3}, {42, 3}};
    stroke->RecalcBounds();
    stroke->m_rcPosition = stroke->m_rcBounds;
    doc.AddObj(stroke);
}

const Edit kDraw = [](CVemtDoc& doc) { doc.AddObj(NewRect({30, 10, 36, 14}, kShapeOval)); };
const Edit kMoveFirst = [](CVemtDoc& doc) {
    CDrawObj* obj = doc.m_objects[0];
    CRect r = obj->m_rcPosition;
    r.OffsetRect(3, 2);
    obj->MoveToRect(r, nullptr, false);
};
const Edit kNudgeLine = [](CVemtDoc& doc) {
    CDrawObj* obj = doc.m_objects[1];
    CRect r = obj->m_rcPosition;
    r.OffsetRect(1, 0);
    obj->MoveToRect(r, nullptr, false);
};
const Edit kRecolour = [](CVemtDoc& doc) {
    for (CDrawObj* obj : doc.m_objects) obj->m_crLine = 0x00FF00;
};
const Edit kDeleteFirst = [](CVemtDoc& doc) {
    CDrawObj* obj = doc.m_objects[0];
    doc.RemoveObj(obj);
    obj->RemoveObject(nullptr, false);
};
const Edit kDeleteAll = [](CVemtDoc& doc) {
    while (!doc.m_objects.empty()) {
        CDrawObj* obj = doc.m_objects.back();
        doc.RemoveObj(obj);
        obj->RemoveObject(nullptr, false);
    }
};
const Edit kPolygon = [](CVemtDoc& doc) { NewTriangle(doc); };
const Edit kFill = [](CVemtDoc& doc) { doc.AddObj(new CDrawFill({3, 3, 3, 3}, 0x00FFFF, 0)); };
const Edit kText = [](CVemtDoc& doc) {
    auto* text = new CDrawFont({2, 18, 22, 38}, 0x0000FF, 0);
    text->ApplyTextDefaults();
    doc.AddObj(text);
    CTextEntryValues entry;
    entry.m_nFontSize = 12;
    entry.m_szFaceName = "MS Sans Serif";
    entry.m_strText = "AB";
    text->PrepareText(entry, 64);
};

class UndoHistory : public EditorTest {
protected:
    void Step(const Edit& edit, int mergeId = CObjectsCommand::kNoMerge)
    {
        CEditRecorder recorder(Doc());
        edit(Doc());
        recorder.Commit(QStringLiteral("Step"), mergeId);
    }
    CUndoHistory& History() { return CUndoHistory::Of(Doc()); }
};

TEST_F(UndoHistory, EverySequenceUndoesToTheStartingBytesAndRedoesToTheFinalOnes)
{
    const Sequence sequences[] = {
        {"draw", {kDraw}},
        {"move", {kMoveFirst}},
        {"nudge five times", {kNudgeLine, kNudgeLine, kNudgeLine, kNudgeLine, kNudgeLine}},
        {"recolour everything", {kRecolour}},
        {"delete the first object (the others shift down)", {kDeleteFirst}},
        {"delete everything", {kDeleteAll}},
        {"polygon then fill", {kPolygon, kFill}},
        {"text entry", {kText}},
        {"draw, move, recolour, delete, draw again", {kDraw, kMoveFirst, kRecolour, kDeleteFirst, kDraw}},
        {"delete everything then draw into the emptied list", {kDeleteAll, kPolygon, kDraw}},
    };
    for (const Sequence& seq : sequences) {
        SCOPED_TRACE(seq.name);
        TearDown();
        SetUp();
        Populate(Doc());
        const DocBytes start = BytesOf(Doc());
        const auto startDots = DotsOf(Doc(), 64, 32);

        for (const Edit& edit : seq.edits) Step(edit);
        const DocBytes final = BytesOf(Doc());
        const auto finalDots = DotsOf(Doc(), 64, 32);
        ASSERT_NE(final, start);
        EXPECT_EQ(History().Stack().count(), int(seq.edits.size()));

        while (History().CanUndo()) History().Undo();
        EXPECT_EQ(BytesOf(Doc()), start);
        EXPECT_EQ(CountDifferences(startDots, DotsOf(Doc(), 64, 32)), 0);

        while (History().CanRedo()) History().Redo();
        EXPECT_EQ(BytesOf(Doc()), final);
        EXPECT_EQ(CountDifferences(finalDots, DotsOf(Doc(), 64, 32)), 0);

        // And back once more: a history is walked any number of times.
        while (History().CanUndo()) History().Undo();
        EXPECT_EQ(BytesOf(Doc()), start);
    }
}

TEST_F(UndoHistory, UndoChangesObjectsInPlaceSoPointersToThemStayValid)
{
    Populate(Doc());
    CDrawObj* first = Doc().m_objects[0];
    const CRect before = first->m_rcPosition;
    Step(kMoveFirst);
    History().Undo();
    EXPECT_EQ(Doc().m_objects[0], first);
    EXPECT_EQ(first->m_rcPosition, before);
    EXPECT_TRUE(m_view.m_aRemoved.empty());
}

TEST_F(UndoHistory, TheFirstRedoOfAStepMadeLiveChangesNothing)
{
    Populate(Doc());
    CDrawObj* first = Doc().m_objects[0];
    CEditRecorder recorder(Doc());
    kMoveFirst(Doc());
    const DocBytes after = BytesOf(Doc());
    recorder.Commit("Move");
    EXPECT_EQ(BytesOf(Doc()), after);
    EXPECT_EQ(Doc().m_objects[0], first);
    // Running redo again on the same state is just as harmless.
    History().Undo();
    History().Redo();
    const_cast<QUndoCommand*>(History().Stack().command(0))->redo();
    EXPECT_EQ(BytesOf(Doc()), after);
}

TEST_F(UndoHistory, AnEditThatChangesNothingAddsNoStep)
{
    Populate(Doc());
    Step([](CVemtDoc&) {});
    Step([](CVemtDoc& doc) { doc.AddObj(NewRect({0, 0, 2, 2})); kDeleteAll(doc); Populate(doc); });
    EXPECT_EQ(History().Stack().count(), 0);
    EXPECT_FALSE(History().CanUndo());
}

TEST_F(UndoHistory, ConsecutiveNudgesOfTheSameObjectsAreOneStep)
{
    Populate(Doc());
    const DocBytes start = BytesOf(Doc());
    for (int i = 0; i < 5; ++i) Step(kNudgeLine, CObjectsCommand::kNudgeMerge);
    EXPECT_EQ(History().Stack().count(), 1);
    // A nudge of other objects is a step of its own.
    Step(kMoveFirst, CObjectsCommand::kNudgeMerge);
    EXPECT_EQ(History().Stack().count(), 2);
    History().Undo();
    History().Undo();
    EXPECT_EQ(BytesOf(Doc()), start);
}

TEST_F(UndoHistory, NudgesThatCancelOutLeaveNothingToUndo)
{
    Populate(Doc());
    Step(kNudgeLine, CObjectsCommand::kNudgeMerge);
    Step([](CVemtDoc& doc) {
        CDrawObj* obj = doc.m_objects[1];
        CRect r = obj->m_rcPosition;
        r.OffsetRect(-1, 0);
        obj->MoveToRect(r, nullptr, false);
    }, CObjectsCommand::kNudgeMerge);
    EXPECT_FALSE(History().CanUndo());
}

TEST_F(UndoHistory, TheModifiedFlagFollowsTheSavedState)
{
    Populate(Doc());
    Doc().OnSaved();
    EXPECT_FALSE(Doc().IsModified());

    Step(kMoveFirst);
    EXPECT_TRUE(Doc().IsModified());
    History().Undo();
    EXPECT_FALSE(Doc().IsModified()) << "undoing back to the saved state";
    History().Redo();
    EXPECT_TRUE(Doc().IsModified());

    Doc().OnSaved();  // saved after the move
    EXPECT_FALSE(Doc().IsModified());
    History().Undo();
    EXPECT_TRUE(Doc().IsModified()) << "undoing past the saved state";
    History().Redo();
    EXPECT_FALSE(Doc().IsModified());

    // Nudges made after a save do not join a nudge made before it.
    Step(kNudgeLine, CObjectsCommand::kNudgeMerge);
    Doc().OnSaved();
    Step(kNudgeLine, CObjectsCommand::kNudgeMerge);
    History().Undo();
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(UndoHistory, ClearingOrOpeningStartsANewHistory)
{
    Populate(Doc());
    Step(kMoveFirst);
    Step(kDraw);
    ASSERT_TRUE(History().CanUndo());
    Doc().DeleteAllObjects();
    EXPECT_FALSE(History().CanUndo());
    EXPECT_FALSE(History().CanRedo());
}

TEST_F(UndoHistory, KeepsTheLatestHundredSteps)
{
    Doc().AddObj(NewRect({0, 0, 2, 2}));
    for (int i = 0; i < CUndoHistory::kUndoLimit + 20; ++i) Step(kMoveFirst);
    EXPECT_EQ(History().Stack().count(), CUndoHistory::kUndoLimit);
}

TEST_F(UndoHistory, UndoAndRedoNameTheStepAndRepaintTheViews)
{
    Populate(Doc());
    CEditRecorder recorder(Doc());
    kMoveFirst(Doc());
    recorder.Commit("Move");
    EXPECT_EQ(History().UndoText(), "Move");
    EXPECT_EQ(History().RedoText(), "");
    std::vector<CDrawObj*> changed;
    History().m_fnApplied = [&](const std::vector<CDrawObj*>& objs) { changed = objs; };
    m_view.m_aUpdates.clear();
    History().Undo();
    EXPECT_EQ(History().RedoText(), "Move");
    ASSERT_FALSE(m_view.m_aUpdates.empty());
    EXPECT_EQ(m_view.m_aUpdates.back().hint, UPD_ALL);
    EXPECT_EQ(changed, std::vector<CDrawObj*>{Doc().m_objects[0]});
}

TEST_F(UndoHistory, AnObjectOfAnotherClassTakesThePlaceOfTheOldOneAndTheViewsForgetIt)
{
    // A rectangle then a polygon; deleting the rectangle moves the polygon to position 0.
    Doc().AddObj(NewRect({0, 0, 4, 4}));
    NewTriangle(Doc());
    const DocBytes start = BytesOf(Doc());
    Step(kDeleteFirst);
    CDrawObj* poly = Doc().m_objects[0];
    m_view.m_aRemoved.clear();
    History().Undo();
    EXPECT_EQ(BytesOf(Doc()), start);
    EXPECT_EQ(m_view.m_aRemoved, std::vector<CDrawObj*>{poly});
    for (CDrawObj* obj : Doc().m_objects) EXPECT_EQ(obj->m_pDocument, &Doc());
}

}  // namespace
