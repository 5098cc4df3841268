#include "document/CKvxFile.h"

#include "SampleDocument.h"
#include "document/CParFile.h"
#include "programme/TimerTableBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

Bytes TimerBytes(const CVemtApp& app)
{
    Bytes bytes(TIMER_TABLE_BYTES);
    WriteTimerTableBytes(app.m_aTimer, bytes.data());
    return bytes;
}

// Little builder for hand-made files.
struct FileBuilder {
    Bytes b{0x51, 0x6A};
    FileBuilder& U8(std::uint8_t v) { b.push_back(v); return *this; }
    FileBuilder& U16(std::uint16_t v) { U8(std::uint8_t(v)); return U8(std::uint8_t(v >> 8)); }
    FileBuilder& U32(std::uint32_t v) { U16(std::uint16_t(v)); return U16(std::uint16_t(v >> 16)); }
    FileBuilder& Name(const std::string& s)
    {
        U16(0xFFFF).U16(0).U16(std::uint16_t(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    FileBuilder& NewClass(const std::string& s, std::uint16_t schema)
    {
        U16(0xFFFF).U16(schema).U16(std::uint16_t(s.size()));
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // The CDrawObj part with the given left edge, then optionally the CDrawRect part.
    FileBuilder& ObjFields(std::int32_t left = 1)
    {
        U32(std::uint32_t(left)).U32(2).U32(30).U32(20).U32(0xFF).U32(0xFF00).U32(1).U32(0);
        return *this;
    }
    FileBuilder& RectFields(std::int32_t left = 1) { return ObjFields(left).U16(0).U32(16).U32(16); }
    FileBuilder& Face() { b.insert(b.end(), 32, 0); return *this; }
    FileBuilder& Timers() { b.insert(b.end(), 56, 0); return *this; }
};

TEST(KvxFile, EmptyDocumentIsSignatureZeroCountAndTimerTable)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    const Bytes bytes = CKvxFile::WriteKvx(doc, app);
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0x51, 0x6A, 0x00, 0x00}));
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.end()), TimerBytes(app));
}

TEST(KvxFile, RectangleThenTextStartsWithTwoNewClassTags)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    doc.AddObj(MakeRect(0, {0, 0, 5, 5}, 0xFF, 0, 1, 0, {16, 16}));
    doc.AddObj(MakeRect(0, {1, 1, 5, 5}, 0xFF, 0, 1, 0, {16, 16}));
    const Bytes bytes = CKvxFile::WriteKvx(doc, app);
    const Bytes head = FileBuilder().U16(2).Name("CDrawRect").b;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + long(head.size())), head);
    // The second rectangle refers to class index 1.
    const std::size_t second = head.size() + 42;
    EXPECT_EQ(bytes[second], 0x01);
    EXPECT_EQ(bytes[second + 1], 0x80);
}

TEST(KvxFile, EveryKindSavedLoadedAndSavedAgainIsByteIdentical)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    FillSampleDocument(doc, app);
    const Bytes first = CKvxFile::WriteKvx(doc, app);

    CVemtApp app2;
    CVemtDoc doc2(&app2);
    const CKvxReadResult result = CKvxFile::ReadKvx(first, doc2, app2, "sample.KVX");
    ASSERT_TRUE(result.Ok()) << result.m_szMessage;
    ASSERT_EQ(doc2.m_objects.size(), doc.m_objects.size());
    for (std::size_t i = 0; i < doc.m_objects.size(); ++i) {
        const CDrawObj* a = doc.m_objects[i];
        const CDrawObj* b = doc2.m_objects[i];
        EXPECT_STREQ(a->GetRuntimeClassName(), b->GetRuntimeClassName());
        EXPECT_EQ(a->m_rcPosition, b->m_rcPosition) << i;
        EXPECT_EQ(a->m_crLine, b->m_crLine) << i;
        EXPECT_EQ(a->m_crFill, b->m_crFill) << i;
        EXPECT_EQ(a->m_nPenWidth, b->m_nPenWidth) << i;
        EXPECT_EQ(a->m_nFillMode, b->m_nFillMode) << i;
        EXPECT_EQ(a->m_nKind, b->m_nKind) << i;
        EXPECT_EQ(b->m_pDocument, &doc2) << i;
    }
    const auto* pic = dynamic_cast<CDrawOleObj*>(doc2.m_objects[5]);
    ASSERT_NE(pic, nullptr);
    ASSERT_NE(pic->m_pClientItem, nullptr);
    EXPECT_EQ(pic->m_pClientItem->m_pDrawObj, pic);
    EXPECT_EQ(pic->m_sizeExtent, CSize(40 * 26, -30 * 26));
    EXPECT_EQ(pic->m_pClientItem->Pixels(),
              dynamic_cast<CDrawOleObj*>(doc.m_objects[5])->m_pClientItem->Pixels());
    EXPECT_EQ(TimerBytes(app2), TimerBytes(app));
    EXPECT_EQ(CKvxFile::WriteKvx(doc2, app2), first);
}

struct DamagedCase {
    const char* name;
    Bytes bytes;
    const char* expected;  // part of the message
};

std::vector<DamagedCase> DamagedCases()
{
    return {
        {"a rectangle cut off in its fields",
         FileBuilder().U16(1).Name("CDrawRect").ObjFields().b, "data ends at byte"},
        {"a class this program does not know",
         FileBuilder().U16(1).Name("CDrawBlob").RectFields().Timers().b, "unknown class \"CDrawBlob\""},
        {"a class stored with schema 1",
         FileBuilder().U16(1).NewClass("CDrawRect", 1).RectFields().Timers().b, "schema 1"},
        {"a class index that was never defined",
         FileBuilder().U16(1).U16(0x8005).RectFields().Timers().b, "class index 5"},
        {"a missing object in the list",
         FileBuilder().U16(1).U16(0x0000).RectFields().Timers().b, "missing object"},
        {"an object count of 65535 + 2^32",
         FileBuilder().U16(0xFFFF).U32(0xFFFFFFFF).Name("CDrawRect").RectFields().Timers().b,
         "object list claims 4294967295"},
        {"more objects than the file could hold",
         FileBuilder().U16(16).Name("CDrawRect").RectFields().Timers().b, "object list claims 16"},
        {"a timer table cut off",
         [] { auto b = FileBuilder().U16(0).b; b.insert(b.end(), 30, 1); return b; }(), "timer table"},
        {"a coordinate far outside any canvas",
         FileBuilder().U16(1).Name("CDrawRect").RectFields(1 << 30).Timers().b, "far outside"},
        {"a picture of 100000 x 100000 pixels",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawItem")
             .U16(1).U32(9).U32(100000).U32(100000).U8(0).Timers().b, "100000 x 100000"},
        {"a picture longer than the file",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawItem")
             .U16(1).U32(0xFFFFFFF0).U32(2).U32(2).U8(0).Timers().b, "the picture claims 4294967280"},
        {"a picture in an unknown format version",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawItem")
             .U16(7).U32(9).U32(0).U32(0).U8(0).Timers().b, "format version 7"},
        {"a picture whose runs cover too few pixels",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawItem")
             .U16(1).U32(14).U32(4).U32(4).U8(1).U8(9).U32(0xFF).Timers().b, "fewer pixels"},
        {"a picture whose runs claim more pixels than 256 per run",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawItem")
             .U16(1).U32(14).U32(100).U32(100).U8(1).U8(255).U32(0xFF).Timers().b, "cannot cover"},
        {"a text claiming 4 GiB",
         FileBuilder().U16(1).Name("CDrawFont").ObjFields().U8(1).U8(0).U8(0).U32(12).U8(0)
             .Face().U32(0xFFFFFFFF).Timers().b, "text of a text object claims 4294967295"},
        {"a typed text claiming 4 GiB",
         FileBuilder().U16(1).Name("CDrawFont").ObjFields().U8(1).U8(0).U8(0).U32(12).U8(0)
             .Face().U32(1).U8(0).U32(1).U32(0).U32(0xFFFFFFFF).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Timers().b,
         "a text claims 4294967295"},
        {"a pen stroke of 65535 + 2^32 points",
         FileBuilder().U16(1).Name("CStroke").ObjFields().U32(0).U32(0).U32(1).U32(1)
             .U16(0xFFFF).U32(0xFFFFFFFF).Timers().b, "point list claims 4294967295"},
        {"a polygon of 65535 points in a short file",
         FileBuilder().U16(1).Name("CDrawPoly").ObjFields().U16(0xFFFF).U16(0xFFFF).Timers().b,
         "polygon's point list claims 65535"},
        {"a picture object holding a rectangle instead of its item",
         FileBuilder().U16(1).Name("CDrawOleObj").ObjFields().U32(0).U32(0).Name("CDrawRect")
             .RectFields().Timers().b, "where its CDrawItem belongs"},
    };
}

TEST(KvxFile, DamagedFilesEndTheLoadNamingFileAndFaultAndKeepNothing)
{
    for (const DamagedCase& c : DamagedCases()) {
        SCOPED_TRACE(c.name);
        CVemtApp app;
        CVemtDoc doc(&app);
        doc.AddObj(MakeRect(0, {0, 0, 1, 1}, 0xFF, 0, 1, 0, {16, 16}));
        app.m_aTimer[3].byHour = 17;
        const Bytes timersBefore = TimerBytes(app);

        const CKvxReadResult result = CKvxFile::ReadKvx(c.bytes, doc, app, "/home/u/bad.KVX");
        EXPECT_EQ(result.m_code, CKvxReadResult::Code::Damaged);
        EXPECT_EQ(result.m_szMessage.rfind("The file /home/u/bad.KVX is damaged", 0), 0u)
            << result.m_szMessage;
        EXPECT_NE(result.m_szMessage.find(c.expected), std::string::npos) << result.m_szMessage;
        EXPECT_EQ(doc.m_objects.size(), 1u);
        EXPECT_EQ(TimerBytes(app), timersBefore);
    }
}

TEST(KvxFile, AnyOtherFirstTwoBytesAreNotOurs)
{
    for (const Bytes& bytes : {Bytes{}, Bytes{0x51}, Bytes{0x6A, 0x51, 0, 0}, Bytes{'B', 'M', 0, 0}}) {
        CVemtApp app;
        CVemtDoc doc(&app);
        EXPECT_EQ(CKvxFile::ReadKvx(bytes, doc, app, "x.KVX").m_code, CKvxReadResult::Code::BadSignature);
    }
}

TEST(KvxFile, EveryTruncationOfASampleFileFailsAndKeepsNothing)
{
    CVemtApp app;
    CVemtDoc doc(&app);
    FillSampleDocument(doc, app);
    const Bytes full = CKvxFile::WriteKvx(doc, app);
    for (std::size_t size = 0; size < full.size(); ++size) {
        CVemtApp app2;
        CVemtDoc doc2(&app2);
        const Bytes cut(full.begin(), full.begin() + long(size));
        const CKvxReadResult result = CKvxFile::ReadKvx(cut, doc2, app2, "cut.KVX");
        ASSERT_FALSE(result.Ok()) << size;
        ASSERT_EQ(result.m_code, size < 2 ? CKvxReadResult::Code::BadSignature : CKvxReadResult::Code::Damaged) << size;
        ASSERT_TRUE(doc2.m_objects.empty()) << size;
    }
}

// Seed files of the fuzz targets: "ok-" files load and save back identically, "bad-"
// files are damaged, "sig-" files are not ours; companions parse back to their bytes.
TEST(KvxFile, SeedCorpusReadsAsItsNameSays)
{
    const fs::path dir = fs::path(VEMT_SOURCE_DIR) / "tests/document/corpus";
    int files = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const Bytes bytes = ReadAll(entry.path().string());
        ++files;
        CVemtApp app;
        if (entry.path().extension() == ".par") {
            ASSERT_EQ(CParFile::ParseBytes(bytes.data(), bytes.size(), app), ParResult::Ok);
            const Bytes again = CParFile::BuildBytes(app);
            EXPECT_EQ(again, Bytes(bytes.begin(), bytes.begin() + long(again.size())));
            continue;
        }
        CVemtDoc doc(&app);
        const CKvxReadResult result = CKvxFile::ReadKvx(bytes, doc, app, name);
        if (name.rfind("ok-", 0) == 0) {
            ASSERT_TRUE(result.Ok()) << result.m_szMessage;
            EXPECT_EQ(CKvxFile::WriteKvx(doc, app), bytes);
        } else if (name.rfind("bad-", 0) == 0) {
            EXPECT_EQ(result.m_code, CKvxReadResult::Code::Damaged);
            EXPECT_TRUE(doc.m_objects.empty());
        } else {
            EXPECT_EQ(result.m_code, CKvxReadResult::Code::BadSignature);
        }
    }
    EXPECT_GE(files, 6);
}

TEST(KvxFile, CompanionPathReplacesTheExtension)
{
    EXPECT_EQ(CKvxFile::GetParPath("/data/msgs/Sale.KVX"), "/data/msgs/Sale.par");
    EXPECT_EQ(CKvxFile::GetParPath("/data/v1.2/Sale"), "/data/v1.2/Sale.par");
    EXPECT_EQ(CKvxFile::GetParPath("a.b.KVX"), "a.b.par");
}

}  // namespace
