#include "document/CDrawFont.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutU32(Bytes& b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
void PutText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

std::unique_ptr<CDrawFont> MakeSample(const std::string& rawText)
{
    auto p = std::make_unique<CDrawFont>(CRect(-3, 10, 50, 30), 0x0000FF, 0x00FF00);
    CDrawFont& obj = *p;
    obj.m_bBold = 0x101;  // only the low byte is stored
    obj.m_bItalic = 1;
    obj.m_bUnderline = 0;
    obj.m_nPointSize = 12;
    obj.m_nCharSet = 134;
    obj.SetFaceName("Arial");
    obj.m_szFaceName[30] = 'q';  // bytes after the terminator are stored as they are
    obj.SetText("ab\r\ncd");
    obj.m_nTextSize = 7;
    obj.m_nBkMode = 2;
    obj.m_nCurPitch = 34;
    obj.m_nRowPitch = -1;
    obj.m_strRawText = rawText;
    return p;
}

// The stored form of MakeSample, field by field.
Bytes SampleBytes(const Bytes& rawTextForm)
{
    Bytes b;
    for (std::uint32_t v : {std::uint32_t(-3), 10u, 50u, 30u, 0x0000FFu, 0x00FF00u, 1u, 0u}) PutU32(b, v);
    b.push_back(0x01);  // bold, low byte
    b.push_back(0x01);  // italic
    b.push_back(0x00);  // underline
    PutU32(b, 12);
    b.push_back(134);
    Bytes face(32, 0);
    std::memcpy(face.data(), "Arial", 5);
    face[30] = 'q';
    b.insert(b.end(), face.begin(), face.end());
    PutU32(b, 7);
    PutText(b, std::string("ab\r\ncd\0", 7));
    PutU32(b, 2);
    PutU32(b, 34);
    PutU32(b, 0xFFFFFFFF);
    b.insert(b.end(), rawTextForm.begin(), rawTextForm.end());
    return b;
}

struct StringFormCase {
    const char* name;
    std::size_t length;
    Bytes prefix;
};

TEST(CDrawFontArchive, FieldsAreStoredByteForByte)
{
    const StringFormCase cases[] = {
        {"short text: one length byte", 3, {3}},
        {"254 characters still one byte", 254, {0xFE}},
        {"255 characters: 0xFF and two bytes", 255, {0xFF, 0xFF, 0x00}},
        {"65533 characters: two bytes", 65533, {0xFF, 0xFD, 0xFF}},
        {"65534 characters: 0xFF, 0xFFFF and four bytes", 65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {"70000 characters: four bytes", 70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string raw(c.length, 'r');
        std::unique_ptr<CDrawFont> sample = MakeSample(raw);
        CDrawFont& obj = *sample;
        CArchive out;
        obj.Serialize(out);
        Bytes rawForm = c.prefix;
        PutText(rawForm, raw);
        const Bytes expected = SampleBytes(rawForm);
        ASSERT_EQ(out.Data().size(), expected.size());
        EXPECT_TRUE(out.Data() == expected);

        CDrawFont back;
        CArchive in(out.Data());
        back.Serialize(in);
        ASSERT_FALSE(in.Failed()) << in.ErrorMessage();
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(back.m_strRawText, raw);
    }
}

TEST(CDrawFontArchive, ReadingRestoresEveryStoredField)
{
    std::unique_ptr<CDrawFont> sample = MakeSample("a\tb");
    CDrawFont& obj = *sample;
    CArchive out;
    obj.Serialize(out);
    CVemtDoc doc;
    CArchive in(out.Data());
    in.m_pDocument = &doc;
    CDrawFont back;
    back.Serialize(in);
    ASSERT_FALSE(in.Failed()) << in.ErrorMessage();
    EXPECT_EQ(back.m_rcPosition, CRect(-3, 10, 50, 30));
    EXPECT_EQ(back.m_pDocument, &doc);
    EXPECT_EQ(back.m_bBold, 1);
    EXPECT_EQ(back.m_bItalic, 1);
    EXPECT_EQ(back.m_nPointSize, 12);
    EXPECT_EQ(back.m_nCharSet, 134);
    EXPECT_EQ(std::string(back.m_szFaceName, 32), std::string(obj.m_szFaceName, 32));
    EXPECT_EQ(back.m_nTextSize, 7);
    ASSERT_EQ(back.m_pszText.size(), 8u) << "one byte more than stored";
    EXPECT_EQ(std::string(back.m_pszText.data()), "ab\r\ncd");
    EXPECT_EQ(back.m_nBkMode, 2);
    EXPECT_EQ(back.m_nCurPitch, 34);
    EXPECT_EQ(back.m_nRowPitch, -1);
    EXPECT_EQ(back.m_strRawText, "a\tb");
    EXPECT_EQ(back.m_nKind, 10);
}

TEST(CDrawFontArchive, TextSetWithoutPreparingIsPaddedNotOverread)
{
    std::unique_ptr<CDrawFont> sample = MakeSample("x");
    CDrawFont& obj = *sample;
    obj.SetText("a");      // two bytes in the buffer
    obj.m_nTextSize = 7;   // the size of the text it replaced
    CArchive out;
    obj.Serialize(out);
    CDrawFont back;
    CArchive in(out.Data());
    back.Serialize(in);
    ASSERT_FALSE(in.Failed());
    EXPECT_EQ(back.m_nTextSize, 7);
    EXPECT_EQ(std::string(back.m_pszText.data()), "a");
}

TEST(CDrawFontArchive, DamagedDataFailsWithoutAllocatingItsClaims)
{
    std::unique_ptr<CDrawFont> sample = MakeSample("typed");
    CDrawFont& obj = *sample;
    CArchive out;
    obj.Serialize(out);
    const Bytes good = out.Data();
    // Every truncation fails.
    for (std::size_t n = 0; n < good.size(); ++n) {
        Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(n));
        CArchive in(cut);
        CDrawFont back;
        back.Serialize(in);
        EXPECT_TRUE(in.Failed()) << "cut at " << n;
    }
    // A text size of 4 GB in a short file.
    Bytes huge = good;
    const std::size_t sizeAt = 32 + 3 + 4 + 1 + 32;
    for (int i = 0; i < 4; ++i) huge[sizeAt + i] = 0xFF;
    CArchive in(huge);
    CDrawFont back;
    back.Serialize(in);
    EXPECT_TRUE(in.Failed());
    EXPECT_LE(back.m_pszText.size(), 1u);
}

TEST(CDrawFontArchive, FaceNameWithoutTerminatorStaysWithinItsBytes)
{
    std::unique_ptr<CDrawFont> sample = MakeSample("t");
    CDrawFont& obj = *sample;
    std::memset(obj.m_szFaceName, 'F', 32);
    CArchive out;
    obj.Serialize(out);
    CDrawFont back;
    CArchive in(out.Data());
    back.Serialize(in);
    ASSERT_FALSE(in.Failed());
    EXPECT_EQ(back.GetFaceName(), std::string(32, 'F'));
}

TEST(CDrawFontArchive, DocumentWithTextReadsBackAndDrawsTheSame)
{
    ResetEditorState();
    CVemtApp app;
    app.m_nTPWidth = 160;
    app.m_nTPHeight = 16;
    app.m_nTotalScreen = 4;
    CVemtDoc doc(&app);
    auto* obj = new CDrawFont(CRect(0, 0, 160, 64), 0x0000FF, 0);
    doc.AddObj(obj);
    CTextEntryValues e;
    e.m_szFaceName = "Arial";
    e.m_nFontSize = 9;
    e.m_nBkMode = 1;
    e.m_strText = "Drawn\tfrom the\r\nprepared text, which is wider than the sign";
    obj->PrepareText(e);

    CArchive out;
    doc.WriteObjects(out);
    CVemtDoc reread(&app);
    CArchive in(out.Data());
    ASSERT_TRUE(reread.ReadObjects(in)) << in.ErrorMessage();
    ASSERT_EQ(reread.m_objects.size(), 1u);
    auto* back = dynamic_cast<CDrawFont*>(reread.m_objects[0]);
    ASSERT_NE(back, nullptr) << "the class tag names a text object";
    back->m_strRawText = "something else entirely";  // never drawn

    CRasterSurface a(160, 64, 0), b(160, 64, 0);
    CRasterDC dca(a), dcb(b);
    obj->Draw(dca, nullptr);
    back->Draw(dcb, nullptr);
    EXPECT_EQ(a.Pixels(), b.Pixels());
    EXPECT_EQ(back->m_nTextWidth, obj->m_nTextWidth);
    EXPECT_EQ(back->m_nTextHeight, obj->m_nTextHeight);
    EXPECT_GT(obj->m_nTextHeight, 16) << "the text wrapped onto more lines";
}

}  // namespace
