#include "text/CCodePage.h"

#include "app/IProfile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>

namespace {

std::atomic<int> g_nAnsiCodePage{CCodePage::kDefaultAnsiCodePage};

struct CodePageInfo {
    int codePage;
    const char* iconvName;
    bool doubleByte;
};

constexpr CodePageInfo kCodePages[] = {
    {437, "CP437", false},    {874, "CP874", false},    {932, "CP932", true},
    {936, "CP936", true},     {949, "CP949", true},     {950, "CP950", true},
    {1250, "CP1250", false},  {1251, "CP1251", false},  {1252, "CP1252", false},
    {1253, "CP1253", false},  {1254, "CP1254", false},  {1255, "CP1255", false},
    {1256, "CP1256", false},  {1257, "CP1257", false},  {1258, "CP1258", false},
    {1361, "JOHAB", true},    {10000, "MACINTOSH", false},
};

const CodePageInfo* Find(int codePage)
{
    for (const auto& info : kCodePages)
        if (info.codePage == codePage) return &info;
    return nullptr;
}

// One converter pair and the characters decoded so far, per code page. Decoding goes
// through iconv once per distinct character; later lookups are table reads.
constexpr char32_t kNotDecoded = 0xFFFFFFFFu;

struct Decoder {
    iconv_t toUtf32 = iconv_t(-1);
    std::array<char32_t, 256> single;
    std::unique_ptr<char32_t[]> pairs;  // lead << 8 | trail, for double-byte code pages
    Decoder() { single.fill(kNotDecoded); }
    ~Decoder()
    {
        if (toUtf32 != iconv_t(-1)) iconv_close(toUtf32);
    }
};

std::mutex g_decoderMutex;
std::map<int, std::unique_ptr<Decoder>> g_decoders;

char32_t RunIconv(iconv_t cd, const char* bytes, int count)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    char in[2] = {bytes[0], count > 1 ? bytes[1] : '\0'};
    unsigned char out[16];
    char* pIn = in;
    size_t inLeft = size_t(count);
    char* pOut = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    if (iconv(cd, &pIn, &inLeft, &pOut, &outLeft) == size_t(-1) || inLeft != 0) return 0;
    if (sizeof out - outLeft != 4) return 0;  // not exactly one character
    return char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16 |
           char32_t(out[3]) << 24;
}

bool ConvertAll(const char* from, const char* to, const std::string& input, std::string& output)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return false;
    output.clear();
    std::string buffer(input.size() * 4 + 16, '\0');
    char* pIn = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* pOut = buffer.data();
    size_t outLeft = buffer.size();
    bool ok = iconv(cd, &pIn, &inLeft, &pOut, &outLeft) != size_t(-1) && inLeft == 0;
    if (ok) ok = iconv(cd, nullptr, nullptr, &pOut, &outLeft) != size_t(-1);
    iconv_close(cd);
    if (!ok) return false;
    output.assign(buffer.data(), buffer.size() - outLeft);
    return true;
}

}  // namespace

int CCodePage::AnsiCodePage() { return g_nAnsiCodePage.load(); }

bool CCodePage::SetAnsiCodePage(int codePage)
{
    if (!IsKnown(codePage)) return false;
    g_nAnsiCodePage = codePage;
    return true;
}

void CCodePage::LoadAnsiCodePage(const IProfile& profile)
{
    if (!SetAnsiCodePage(profile.GetProfileInt("TPParameter", "AnsiCodePage", kDefaultAnsiCodePage)))
        SetAnsiCodePage(kDefaultAnsiCodePage);
}

int CCodePage::FromCharSet(int charSet)
{
    switch (charSet) {
    case SHIFTJIS_CHARSET: return 932;
    case HANGUL_CHARSET: return 949;
    case JOHAB_CHARSET: return 1361;
    case GB2312_CHARSET: return 936;
    case CHINESEBIG5_CHARSET: return 950;
    case GREEK_CHARSET: return 1253;
    case TURKISH_CHARSET: return 1254;
    case VIETNAMESE_CHARSET: return 1258;
    case HEBREW_CHARSET: return 1255;
    case ARABIC_CHARSET: return 1256;
    case BALTIC_CHARSET: return 1257;
    case RUSSIAN_CHARSET: return 1251;
    case THAI_CHARSET: return 874;
    case EASTEUROPE_CHARSET: return 1250;
    case MAC_CHARSET: return 10000;
    case OEM_CHARSET: return 437;
    // Symbol fonts map bytes to their own glyphs; their text is Western bytes.
    case SYMBOL_CHARSET: return 1252;
    default: return AnsiCodePage();
    }
}

bool CCodePage::IsKnown(int codePage) { return Find(codePage) != nullptr; }

bool CCodePage::IsDoubleByte(int codePage)
{
    const CodePageInfo* info = Find(codePage);
    return info && info->doubleByte;
}

bool CCodePage::IsLeadByte(int codePage, std::uint8_t b)
{
    switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950: return b >= 0x81 && b <= 0xFE;
    case 1361: return (b >= 0x84 && b <= 0xD3) || (b >= 0xD8 && b <= 0xDE) || (b >= 0xE0 && b <= 0xF9);
    default: return false;
    }
}

int CCodePage::CharLength(int codePage, const char* text, int length, int i)
{
    // No double-byte code page has a trail byte below 0x30: a lead byte before a zero, a
    // tab or a line end is a broken character of its own and must not swallow them.
    if (i + 1 < length && IsLeadByte(codePage, std::uint8_t(text[i])) && std::uint8_t(text[i + 1]) >= 0x30)
        return 2;
    return 1;
}

char32_t CCodePage::Decode(int codePage, const char* bytes, int count)
{
    if (count < 1 || count > 2) return 0;
    const CodePageInfo* info = Find(codePage);
    if (!info) return 0;
    std::lock_guard<std::mutex> lock(g_decoderMutex);
    auto& decoder = g_decoders[codePage];
    if (!decoder) {
        decoder = std::make_unique<Decoder>();
        decoder->toUtf32 = iconv_open("UTF-32LE", info->iconvName);
    }
    if (decoder->toUtf32 == iconv_t(-1)) return 0;
    char32_t* slot;
    if (count == 1) {
        slot = &decoder->single[std::uint8_t(bytes[0])];
    } else {
        if (!decoder->pairs) {
            decoder->pairs = std::make_unique<char32_t[]>(65536);
            std::fill_n(decoder->pairs.get(), 65536, kNotDecoded);
        }
        slot = &decoder->pairs[std::size_t(std::uint8_t(bytes[0])) << 8 | std::uint8_t(bytes[1])];
    }
    if (*slot == kNotDecoded) *slot = RunIconv(decoder->toUtf32, bytes, count);
    return *slot;
}

std::vector<char32_t> CCodePage::DecodeString(int codePage, const char* text, int length)
{
    std::vector<char32_t> result;
    for (int i = 0; i < length;) {
        int n = CharLength(codePage, text, length, i);
        result.push_back(Decode(codePage, text + i, n));
        i += n;
    }
    return result;
}

bool CCodePage::ToUtf8(int codePage, const std::string& bytes, std::string& utf8)
{
    const CodePageInfo* info = Find(codePage);
    return info && ConvertAll(info->iconvName, "UTF-8", bytes, utf8);
}

bool CCodePage::FromUtf8(int codePage, const std::string& utf8, std::string& bytes)
{
    const CodePageInfo* info = Find(codePage);
    return info && ConvertAll("UTF-8", info->iconvName, utf8, bytes);
}

const char* CCodePage::IconvName(int codePage)
{
    const CodePageInfo* info = Find(codePage);
    return info ? info->iconvName : "";
}
