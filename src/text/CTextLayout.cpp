#include "text/CTextLayout.h"

#include "text/CMonoFont.h"

#include <cstring>

std::string CTextLayout::ExpandTabs(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == kTab) out.append(4, ' ');
        else out += c;
    }
    return out;
}

namespace {

// Walks the text as both break passes do; `onBreak` is called with the byte offset of
// each character that starts a new line.
template <typename OnBreak>
void WalkBreaks(CMonoFont& font, const std::string& text, int width, OnBreak onBreak)
{
    const char* p = text.data();
    const int n = int(text.size());
    int running = 0;
    for (int i = 0; i < n;) {
        if (p[i] == '\0') break;
        if (p[i] == CTextLayout::kCR) {
            running = 0;
            // Only the LF of a CR LF pair is passed over: skipping any other byte could
            // swallow a character or split a two-byte one.
            i += (i + 1 < n && p[i + 1] == CTextLayout::kLF) ? 2 : 1;
            continue;
        }
        if (p[i] == CTextLayout::kLF) {
            running = 0;
            ++i;
            continue;
        }
        const int len = font.CharLength(p, n, i);
        const int w = font.CharWidth(p + i, len);
        if (running + w > width) {
            onBreak(i);
            running = w;
        } else {
            running += w;
        }
        i += len;
    }
}

}  // namespace

int CTextLayout::CountBreaks(CMonoFont& font, const std::string& text, int width)
{
    int breaks = 0;
    WalkBreaks(font, text, width, [&](int) { ++breaks; });
    return breaks;
}

std::string CTextLayout::InsertBreaks(CMonoFont& font, const std::string& text, int width)
{
    std::vector<int> at;
    WalkBreaks(font, text, width, [&](int i) { at.push_back(i); });
    std::string out;
    out.reserve(text.size() + 2 * at.size());
    std::size_t from = 0;
    for (int i : at) {
        out.append(text, from, std::size_t(i) - from);
        out += kCR;
        out += kLF;
        from = std::size_t(i);
    }
    out.append(text, from, std::string::npos);
    return out;
}

std::vector<std::string> CTextLayout::SplitLines(const char* text, int length)
{
    std::vector<std::string> lines;
    if (!text) return lines;
    std::string line;
    for (int i = 0; i < length && text[i] != '\0'; ++i) {
        if (text[i] == kCR || text[i] == kLF) {
            if (!line.empty()) lines.push_back(std::move(line));
            line.clear();
        } else {
            line += text[i];
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

int CTextLayout::FitLine(int y, int h, int screenHeight, bool canSpan)
{
    const int H = screenHeight;
    if (canSpan || H <= 0 || h > H) return y;
    const int nextScreen = (y / H + 1) * H;
    if (y < nextScreen && nextScreen < y + h) y = nextScreen;
    if (H <= kCentreHeight) y += (H - h) / 2;
    return y;
}

int CTextLayout::RowPitch(int h, int ownPitch, bool fixRowPitch, int fixedPitch)
{
    const int pitch = fixRowPitch ? fixedPitch : ownPitch;
    return pitch == -1 ? h : pitch;
}
