// The objects on the clipboard: the bytes of the list, every object back with all its
// properties, and a damaged block that pastes nothing at all.

#include "EditorTestSupport.h"
#include "document/SampleDocument.h"

#include "editor/clipboard/ClipboardPayload.h"
#include "editor/clipboard/PasteRules.h"
#include "editor/undo/CUndoHistory.h"

#include <gtest/gtest.h>

namespace {
Bytes ObjectListOf(const std::vector<CDrawObj*>& objects, CVemtDoc* doc)
{
    CArchive ar;
    ar.m_pDocument = doc;
    for (CDrawObj* obj : objects) {
        ar.WriteClassTag(obj->GetRuntimeClassName(), 0);
        obj->Serialize(ar);
    }
    return ar.Data();
}
}  // namespace

class ClipboardPayload : public EditorTest {};

TEST_F(ClipboardPayload, TheBlockIsTheCountThenEachObjectWithItsClassTag)
{
    FillSampleDocument(Doc(), m_app);
    const Bytes bytes = EncodeClipboardObjects(Doc().m_objects, &Doc());
    // The whole document's list is what the document file holds after its signature.
    EXPECT_EQ(bytes, BytesOf(Doc()));

    // Two rectangles: 02 00, the new-class tag, then 0x8000 | 1 before the second.
    auto* a = new CDrawRect(CRect(1, 1, 5, 5), 0x0000FF, 0, 1, 0);
    auto* b = new CDrawRect(CRect(2, 2, 6, 6), 0x00FF00, 0, 1, 0);
    std::unique_ptr<CDrawObj> ownA(a), ownB(b);
    const Bytes two = EncodeClipboardObjects({a, b}, &Doc());
    ASSERT_GE(two.size(), 17u);
    EXPECT_EQ(two[0], 0x02);
    EXPECT_EQ(two[1], 0x00);
    EXPECT_EQ(Bytes(two.begin() + 2, two.begin() + 8), (Bytes{0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00}));
    EXPECT_EQ(std::string(two.begin() + 8, two.begin() + 17), "CDrawRect");
    const Bytes afterCount(two.begin() + 2, two.end());
    EXPECT_EQ(afterCount, ObjectListOf({a, b}, &Doc()));
}

TEST_F(ClipboardPayload, EveryKindComesBackWithAllItsProperties)
{
    FillSampleDocument(Doc(), m_app);
    const Bytes bytes = EncodeClipboardObjects(Doc().m_objects, &Doc());

    // A second document stands for a second running copy of the program.
    CVemtDoc other(&m_app);
    CClipboardObjects read = DecodeClipboardObjects(bytes, &other);
    ASSERT_TRUE(read.Ok()) << read.m_szError;
    ASSERT_EQ(read.m_objects.size(), Doc().m_objects.size());
    std::vector<CDrawObj*> raw;
    for (auto& obj : read.m_objects) {
        EXPECT_EQ(obj->m_pDocument, &other);
        raw.push_back(obj.get());
    }
    EXPECT_EQ(EncodeClipboardObjects(raw, &other), bytes);
}

TEST_F(ClipboardPayload, ADamagedBlockGivesNoObjectsAndSaysWhy)
{
    FillSampleDocument(Doc(), m_app);
    const Bytes good = EncodeClipboardObjects(Doc().m_objects, &Doc());

    struct Case {
        const char* name;
        Bytes bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"one byte", {0x01}},
        {"count only", {0x02, 0x00}},
        {"huge count", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
        {"unknown class", {0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x04, 0x00, 'C', 'B', 'a', 'd'}},
        {"schema 1", {0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00, 'C', 'D', 'r', 'a', 'w', 'R', 'e', 'c', 't'}},
        {"reference to an unknown class", {0x01, 0x00, 0x05, 0x80}},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
    };
    // The sound block cut short at every length, and with one byte too many.
    for (std::size_t cut = 1; cut < good.size(); cut += 7)
        cases.push_back({"cut", Bytes(good.begin(), good.begin() + std::ptrdiff_t(cut))});
    Bytes longer = good;
    longer.push_back(0);
    cases.push_back({"trailing byte", longer});

    for (const Case& c : cases) {
        CVemtDoc other(&m_app);
        CClipboardObjects read = DecodeClipboardObjects(c.bytes, &other);
        EXPECT_FALSE(read.Ok()) << c.name << " size " << c.bytes.size();
        EXPECT_TRUE(read.m_objects.empty()) << c.name;
        EXPECT_NE(read.m_szError.find("The objects on the clipboard are damaged"), std::string::npos) << c.name;
        EXPECT_TRUE(other.m_objects.empty()) << c.name;
    }
}

TEST_F(ClipboardPayload, CopyThenPasteGivesDuplicatesOnTopAsOneUndoableStep)
{
    FillSampleDocument(Doc(), m_app);
    const Bytes before = BytesOf(Doc());
    const std::vector<CDrawObj*> copied = {Doc().m_objects[0], Doc().m_objects[2]};
    const Bytes block = EncodeClipboardObjects(copied, &Doc());

    CClipboardObjects read = DecodeClipboardObjects(block, &Doc());
    ASSERT_TRUE(read.Ok());
    const std::vector<CDrawObj*> pasted = AddObjectsAsStep(Doc(), std::move(read.m_objects), kStepPaste);
    ASSERT_EQ(pasted.size(), 2u);
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        EXPECT_NE(pasted[i], copied[i]);
        EXPECT_EQ(pasted[i]->m_rcPosition, copied[i]->m_rcPosition);
        EXPECT_EQ(ObjectListOf({pasted[i]}, &Doc()), ObjectListOf({copied[i]}, &Doc()));
    }
    EXPECT_EQ(Doc().m_objects.end()[-2], pasted[0]);
    EXPECT_EQ(Doc().m_objects.back(), pasted[1]);

    CUndoHistory& history = CUndoHistory::Of(Doc());
    EXPECT_EQ(history.UndoText(), QStringLiteral("Paste"));
    history.Undo();
    EXPECT_EQ(BytesOf(Doc()), before);
    EXPECT_FALSE(history.CanUndo());
}
