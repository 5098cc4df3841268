#include "document/CTextComposer.h"

#include "app/CVemtApp.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "programme/CScreenInfoTable.h"
#include "raster/CRasterDC.h"
#include "text/CCodePage.h"
#include "text/CFontCatalogue.h"
#include "text/CMonoFont.h"
#include "text/CTextDC.h"
#include "text/CTextLayout.h"

#include <algorithm>
#include <cstdio>

namespace {

// The "Font" window's size list runs from 0 to 80.
constexpr int kMaxPointSize = 80;

// Strict UTF-8: false for malformed, overlong or surrogate sequences.
bool DecodeUtf8(const std::string& s, std::vector<char32_t>& out)
{
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        int n = 0;
        char32_t cp = 0;
        if (c < 0x80) { cp = c; n = 0; }
        else if ((c >> 5) == 6) { cp = c & 0x1F; n = 1; }
        else if ((c >> 4) == 14) { cp = c & 0x0F; n = 2; }
        else if ((c >> 3) == 30) { cp = c & 0x07; n = 3; }
        else return false;
        if (i + std::size_t(n) >= s.size() + (n == 0 ? 1 : 0)) return false;
        for (int k = 1; k <= n; ++k) {
            const unsigned char t = static_cast<unsigned char>(s[i + std::size_t(k)]);
            if ((t >> 6) != 2) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        static const char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        out.push_back(cp);
        i += std::size_t(n) + 1;
    }
    return true;
}

std::string EncodeUtf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += char(c);
    } else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
    return s;
}

std::string CharSetName(int charSet)
{
    const std::string script = CFontCatalogue::ScriptName(charSet);
    return script.empty() ? "character set " + std::to_string(charSet)
                          : "the " + script + " character set (" + std::to_string(charSet) + ")";
}

}  // namespace

void CTextComposer::LoadEditorState(const IProfile& profile)
{
    ResetEditorState();
    LoadTextDefaults(profile);
    LoadRowPitchSettings(profile);
    CCodePage::LoadAnsiCodePage(profile);
}

std::string CTextComposer::DescribeCharacter(char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
    if (c < 0x20 || c == 0x7F) return code;
    return std::string(code) + " '" + EncodeUtf8(c) + "'";
}

bool CTextComposer::EncodeText(const std::string& utf8, int charSet, std::string& bytes,
                               std::vector<char32_t>& unstorable)
{
    bytes.clear();
    unstorable.clear();
    std::vector<char32_t> chars;
    if (!DecodeUtf8(utf8, chars)) return false;
    const int codePage = CCodePage::FromCharSet(charSet);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        // Line ends become CR LF as the text box gives them; a CR LF pair is one line end.
        if (c == U'\r' || c == U'\n') {
            if (c == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
            bytes += "\r\n";
            continue;
        }
        std::string one;
        const bool control = (c < 0x20 && c != U'\t') || c == 0x7F;
        if (!control && CCodePage::FromUtf8(codePage, EncodeUtf8(c), one) && !one.empty() &&
            one.find('\0') == std::string::npos) {
            bytes += one;
        } else if (std::find(unstorable.begin(), unstorable.end(), c) == unstorable.end()) {
            unstorable.push_back(c);
        }
    }
    return unstorable.empty();
}

void CTextComposer::FitBoxToText(CDrawFont& text, int width, int canvasHeight)
{
    // Lines moved down to the next screen or centred on a small sign end below top +
    // measured height; a box of the measured height alone would clip them away.
    CRasterSurface scratch(width, canvasHeight);
    CRasterDC dc(scratch);
    text.Draw(dc, nullptr);
    const CRect r = text.m_rcPosition;
    const int bottom = std::max(r.top + text.m_nTextHeight, text.m_nDrawnBottom);
    text.m_rcPosition = CRect(r.left, r.top, r.left + text.m_nTextWidth, bottom);
}

CComposeResult CTextComposer::Compose(const CComposeRequest& request, CVemtDoc& doc, CVemtApp& app,
                                      const std::vector<FONTENTRY>& fonts)
{
    CComposeResult result;
    const int width = app.m_nTPWidth;
    const int height = app.m_nTPHeight;
    const int canvasHeight = height * app.m_nTotalScreen;
    const CPoint at = request.m_ptAt;
    if (width <= 0 || canvasHeight <= 0) {
        result.m_szError = "the sign has no dots to compose on";
        return result;
    }
    if (at.x < 0 || at.x >= width || at.y < 0 || at.y >= canvasHeight) {
        result.m_szError = "the dot " + std::to_string(at.x) + "," + std::to_string(at.y) +
                           " is not on the canvas (" + std::to_string(width) + " x " +
                           std::to_string(canvasHeight) + " dots, x from 0 to " + std::to_string(width - 1) +
                           ", y from 0 to " + std::to_string(canvasHeight - 1) + ")";
        return result;
    }

    // The "Font" window's members for a new text: the text defaults, or what the user
    // chose; "OK" then takes face and pitch from the entry the face list shows.
    std::string face = request.m_szFace.value_or(g_szLastFontName);
    const int charSet = request.m_nCharSet.value_or(g_nLastFontCharset) & 0xFF;
    int pointSize = request.m_nPointSize.value_or(g_nLastFontSize);
    int pitch = g_nLastFontCurPitch;
    const int entry = CFontCatalogue::ShownEntry(fonts, face, charSet);
    if (pointSize < 1 || pointSize > kMaxPointSize) {
        pointSize = entry >= 0 ? fonts[std::size_t(entry)].m_nHeight : 0;
        if (pointSize < 0 || pointSize > kMaxPointSize) pointSize = 0;
    }
    if (entry >= 0) {
        face = fonts[std::size_t(entry)].m_szFaceName;
        pitch = fonts[std::size_t(entry)].m_nPitchAndFamily;
    }

    std::string bytes;
    if (!EncodeText(request.m_szText, charSet, bytes, result.m_aUnstorable)) {
        if (result.m_aUnstorable.empty()) {
            result.m_szError = "the text is not valid UTF-8";
            return result;
        }
        std::string list;
        for (char32_t c : result.m_aUnstorable) list += (list.empty() ? "" : ", ") + DescribeCharacter(c);
        result.m_szError = CharSetName(charSet) + " cannot store " + list;
        return result;
    }
    if (bytes.find_first_not_of("\r\n") == std::string::npos) {
        result.m_szError = "the text is empty";
        return result;
    }

    // The character tool's new object at the dot, then the accepted entry.
    const bool wasModified = doc.IsModified();
    auto* text = new CDrawFont(CRect(at.x, at.y, at.x + 20, at.y + 20), request.m_crText.value_or(g_crForeground),
                               request.m_crBackground.value_or(g_crBackground));
    text->ApplyTextDefaults();
    doc.AddObj(text);
    CTextEntryValues values;
    values.m_bBold = request.m_bBold ? 1 : 0;
    values.m_bItalic = request.m_bItalic ? 1 : 0;
    values.m_bUnderline = request.m_bUnderline ? 1 : 0;
    values.m_nFontSize = pointSize;
    values.m_nCharSet = std::uint8_t(charSet);
    values.m_nBkMode = request.m_bOpaque ? CTextDC::OPAQUE : CTextDC::TRANSPARENT;
    values.m_szFaceName = face;
    values.m_nCurPitch = pitch;
    values.m_strText = bytes;
    text->PrepareText(values);

    FitBoxToText(*text, width, canvasHeight);
    const CRect r = text->m_rcPosition;
    const int bottom = r.bottom;

    if (text->m_nDrawnBottom > canvasHeight) {
        const int screens = (text->m_nDrawnBottom + height - 1) / height;
        result.m_szError = "the text needs " + std::to_string(screens) + " screens of " + std::to_string(height) +
                           " dots from row " + std::to_string(at.y) + "; the sign takes " +
                           std::to_string(app.m_nTotalScreen) + " (--screens, or a smaller size)";
        doc.RemoveObj(text);
        delete text;
        doc.SetModifiedFlag(wasModified);
        return result;
    }
    doc.SetModifiedFlag(true);

    // The screens the lines are on: from where the first line lands after the screen fit.
    std::shared_ptr<CMonoFont> font = CMonoFont::Create(text->MakeLogFont());
    if (!font) font = CTextDC::StockFont();
    const int lineHeight = font ? font->Height() : 0;
    const int firstRow = CTextLayout::FitLine(r.top, lineHeight, height, g_bCanSpan != 0);
    result.m_nFirstScreen = std::clamp(firstRow / height, 0, app.m_nTotalScreen - 1);
    result.m_nLastScreen = std::clamp((std::max(bottom, firstRow + 1) - 1) / height, result.m_nFirstScreen,
                                      app.m_nTotalScreen - 1);

    CScreenInfoTable table(app);
    table.ResizeScreenInfo(doc.GetScreenCount());
    for (int s = result.m_nFirstScreen; s <= result.m_nLastScreen && s < table.Count(); ++s) {
        SCREENINFO& rec = app.m_aScreenInfo[std::size_t(s)];
        if (request.m_nImport) rec.byImport = std::uint8_t(*request.m_nImport);
        if (request.m_nExport) rec.byExport = std::uint8_t(*request.m_nExport);
        if (request.m_nSpeed) rec.bySpeed = std::uint8_t(*request.m_nSpeed);
        if (request.m_nAppend) rec.byAppend = *request.m_nAppend;
        if (request.m_nPauseSec) rec.nPauseSec = *request.m_nPauseSec;
        if (request.m_nCartoon) rec.nCartoon = *request.m_nCartoon;
    }
    result.m_bOk = true;
    return result;
}
