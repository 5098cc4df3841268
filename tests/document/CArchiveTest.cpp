#include "document/CArchive.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Ascii(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

TEST(ArchiveIntegers, AreWrittenLittleEndianAtTheirWidth)
{
    CArchive ar;
    ar.WriteU8(0xAB);
    ar.WriteU16(0x1234);
    ar.WriteU32(0xDEADBEEF);
    ar.WriteI8(-2);
    ar.WriteI16(-2);
    ar.WriteI32(-2);
    EXPECT_EQ(ar.Data(), (Bytes{0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE, 0xFE, 0xFE, 0xFF,
                                0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ArchiveIntegers, ReadBackWithSign)
{
    const Bytes data{0xAB, 0x34, 0x12, 0xEF, 0xBE, 0xAD, 0xDE, 0xFE, 0xFE, 0xFF,
                     0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x80};
    CArchive ar(data);
    EXPECT_EQ(ar.ReadU8(), 0xAB);
    EXPECT_EQ(ar.ReadU16(), 0x1234);
    EXPECT_EQ(ar.ReadU32(), 0xDEADBEEFu);
    EXPECT_EQ(ar.ReadI8(), -2);
    EXPECT_EQ(ar.ReadI16(), -2);
    EXPECT_EQ(ar.ReadI32(), -2);
    EXPECT_EQ(ar.ReadI16(), -32768);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_FALSE(ar.Failed());
}

struct CountCase {
    const char* name;
    std::uint32_t count;
    Bytes bytes;
};

const CountCase kCountCases[] = {
    {"zero", 0, {0x00, 0x00}},
    {"small", 300, {0x2C, 0x01}},
    {"largest short form", 0xFFFE, {0xFE, 0xFF}},
    {"65535 takes the escape", 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
    {"65536", 0x10000, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
};

class ArchiveCount : public testing::TestWithParam<CountCase> {};

TEST_P(ArchiveCount, WritesAndReadsTheCountForm)
{
    const CountCase& c = GetParam();
    CArchive out;
    out.WriteCount(c.count);
    EXPECT_EQ(out.Data(), c.bytes) << c.name;
    CArchive in(c.bytes);
    EXPECT_EQ(in.ReadCount(), c.count) << c.name;
    EXPECT_FALSE(in.Failed()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveCount, testing::ValuesIn(kCountCases));

struct StringCase {
    const char* name;
    std::size_t length;
    Bytes prefix;
};

const StringCase kStringCases[] = {
    {"empty", 0, {0x00}},
    {"254 characters in one byte", 254, {0xFE}},
    {"255 characters take the 2-byte form", 255, {0xFF, 0xFF, 0x00}},
    {"0xFFFD characters still in 2 bytes", 0xFFFD, {0xFF, 0xFD, 0xFF}},
    {"0xFFFE characters take the 4-byte form", 0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
    {"70000 characters", 70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
};

class ArchiveString : public testing::TestWithParam<StringCase> {};

TEST_P(ArchiveString, UsesTheLengthFormForItsLength)
{
    const StringCase& c = GetParam();
    std::string text(c.length, 'x');
    if (!text.empty()) text.front() = 'A';
    CArchive out;
    out.WriteString(text);
    ASSERT_EQ(out.Data().size(), c.prefix.size() + c.length) << c.name;
    EXPECT_EQ(Bytes(out.Data().begin(), out.Data().begin() + c.prefix.size()), c.prefix) << c.name;

    CArchive in(out.Data());
    std::string back;
    EXPECT_TRUE(in.ReadString(back)) << c.name;
    EXPECT_EQ(back, text) << c.name;
    EXPECT_TRUE(in.AtEnd()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveString, testing::ValuesIn(kStringCases));

TEST(ArchiveClassTags, NameANewClassOnceThenReferToItsIndex)
{
    CArchive ar;
    ar.WriteClassTag("CDrawRect");  // class 1, object 2
    ar.WriteClassTag("CDrawFont");  // class 3, object 4
    ar.WriteClassTag("CDrawRect");  // object 5
    ar.WriteClassTag("CDrawFont");  // object 6
    const Bytes expected = Concat({{0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00}, Ascii("CDrawRect"),
                                   {0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00}, Ascii("CDrawFont"),
                                   {0x01, 0x80},
                                   {0x03, 0x80}});
    EXPECT_EQ(ar.Data(), expected);
    EXPECT_EQ(ar.MapCount(), 7u);

    CArchive in(expected);
    std::string name;
    std::uint16_t schema = 99;
    const char* const order[] = {"CDrawRect", "CDrawFont", "CDrawRect", "CDrawFont"};
    for (const char* want : order) {
        ASSERT_TRUE(in.ReadClassTag(name, schema)) << in.ErrorMessage();
        EXPECT_EQ(name, want);
        EXPECT_EQ(schema, 0);
    }
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveClassTags, IndicesFrom0x7FFFUseTheLongForm)
{
    CArchive out;
    out.WriteClassTag("CDrawPoly");  // class 1, object 2
    // Class 3 and 0x8000 objects bring the running count to 0x8004.
    for (int i = 0; i < 0x8000; ++i) out.WriteClassTag("CDrawRect");
    out.WriteClassTag("CStroke");  // class 0x8004, object 0x8005
    out.WriteClassTag("CStroke");
    out.WriteClassTag("CDrawPoly");
    const Bytes& d = out.Data();
    const Bytes tail(d.end() - 8, d.end());
    EXPECT_EQ(tail, (Bytes{0xFF, 0x7F, 0x04, 0x80, 0x00, 0x80, 0x01, 0x80}));

    CArchive in(d);
    std::string name;
    std::uint16_t schema;
    std::string last;
    int read = 0;
    while (!in.AtEnd() && in.ReadClassTag(name, schema)) {
        last = name;
        ++read;
    }
    EXPECT_FALSE(in.Failed()) << in.ErrorMessage();
    EXPECT_EQ(read, 1 + 0x8000 + 3);
    EXPECT_EQ(last, "CDrawPoly");
}

struct BadTagCase {
    const char* name;
    Bytes bytes;
    const char* messagePart;
};

const BadTagCase kBadTagCases[] = {
    {"a missing object", {0x00, 0x00}, "missing object"},
    {"a reference back to an object", {0x02, 0x00}, "refers back"},
    {"a class index never read", {0x05, 0x80}, "not a class"},
    {"a class name of length 0", {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}, "impossible length"},
    {"a class name longer than the data", {0xFF, 0xFF, 0x00, 0x00, 0x09, 0x00, 'C', 'D'}, "ends"},
    {"a tag cut after one byte", {0xFF}, "ends"},
    {"a long-form tag cut short", {0xFF, 0x7F, 0x01, 0x00}, "ends"},
};

class ArchiveBadTag : public testing::TestWithParam<BadTagCase> {};

TEST_P(ArchiveBadTag, IsAnErrorWithAMessage)
{
    const BadTagCase& c = GetParam();
    CArchive in(c.bytes);
    std::string name;
    std::uint16_t schema;
    EXPECT_FALSE(in.ReadClassTag(name, schema)) << c.name;
    EXPECT_TRUE(in.Failed()) << c.name;
    EXPECT_NE(in.ErrorMessage().find(c.messagePart), std::string::npos)
        << c.name << ": " << in.ErrorMessage();
}

INSTANTIATE_TEST_SUITE_P(Table, ArchiveBadTag, testing::ValuesIn(kBadTagCases));

TEST(ArchiveReading, PastTheEndIsAStickyErrorAndReadsZero)
{
    const Bytes data{0x01, 0x02, 0x03};
    CArchive in(data);
    EXPECT_EQ(in.ReadU16(), 0x0201);
    EXPECT_EQ(in.ReadU32(), 0u);  // only one byte left
    EXPECT_TRUE(in.Failed());
    EXPECT_NE(in.ErrorMessage().find("ends at byte 2"), std::string::npos) << in.ErrorMessage();
    // The byte that was left is not handed out after the fault.
    EXPECT_EQ(in.ReadU8(), 0);
    EXPECT_EQ(in.Position(), 2u);
    const std::string first = in.ErrorMessage();
    in.ReadU16();
    EXPECT_EQ(in.ErrorMessage(), first);
}

TEST(ArchiveReading, AStringLongerThanTheDataIsRefused)
{
    // Claims 0x10000000 characters and holds three.
    const Bytes data{0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10, 'a', 'b', 'c'};
    CArchive in(data);
    std::string text = "old";
    EXPECT_FALSE(in.ReadString(text));
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(in.Failed());
    EXPECT_NE(in.ErrorMessage().find("only 3 bytes are left"), std::string::npos)
        << in.ErrorMessage();
}

TEST(ArchiveReading, AWideCharacterStringMarkerIsRefused)
{
    const Bytes data{0xFF, 0xFE, 0xFF, 0x01, 'a'};
    CArchive in(data);
    std::string text;
    EXPECT_FALSE(in.ReadString(text));
    EXPECT_NE(in.ErrorMessage().find("wide-character"), std::string::npos);
}

TEST(ArchiveReading, CheckCountRefusesMoreItemsThanBytesWithoutOverflow)
{
    const Bytes data(16, 0);
    CArchive in(data);
    EXPECT_TRUE(in.CheckCount(2, 8, "points"));
    EXPECT_FALSE(in.Failed());
    EXPECT_FALSE(in.CheckCount(0xFFFFFFFFFFFFFFFFull, 8, "points"));
    EXPECT_NE(in.ErrorMessage().find("points claims"), std::string::npos) << in.ErrorMessage();
}

TEST(ArchiveReading, ACountOfThreeBytesIsCutShort)
{
    const Bytes data{0xFF, 0xFF, 0x01};
    CArchive in(data);
    EXPECT_EQ(in.ReadCount(), 0u);
    EXPECT_TRUE(in.Failed());
}

TEST(ArchiveModes, ReadingAStoringArchiveIsAnError)
{
    CArchive out;
    EXPECT_EQ(out.ReadU16(), 0);
    EXPECT_TRUE(out.Failed());
    EXPECT_NE(out.ErrorMessage().find("opened for writing"), std::string::npos);
}

}  // namespace
