#pragma once
// A block of text drawn with one font. The object keeps the text as typed and a prepared
// copy with tabs expanded and line breaks inserted so that no line is wider than the
// sign; the prepared copy is what is drawn and stored. Lines are placed one below the
// other with a row pitch and, unless the user allows it, never cut by the boundary
// between two screens.

#include "document/CDrawRect.h"

#include <cstdint>
#include <string>
#include <vector>

class CLogFont;

// What the text entry window hands to a text object when the user accepts an entry.
struct CTextEntryValues {
    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_nFontSize = 0;            // points
    std::uint8_t m_nCharSet = 0;
    int m_nBkMode = 1;              // 1 transparent, 2 opaque
    std::string m_szFaceName;       // at most 31 bytes are kept
    int m_nCurPitch = 0;
    std::string m_strText;          // as typed: CR LF line ends, tabs kept
};

class CDrawFont : public CDrawRect {
public:
    static constexpr int kFaceNameSize = 32;

    CDrawFont();
    CDrawFont(const CRect& position, COLORREF crLine, COLORREF crFill);

    const char* GetRuntimeClassName() const override { return "CDrawFont"; }
    // Stores the drawing-object fields, then the text object's own; the rectangle
    // family's fields are not part of a text object.
    void Serialize(CArchive& ar) override;

    void Draw(CRasterDC& dc, IDrawView* view) override;
    // The whole rectangle counts: a click inside a text block hits it.
    bool TouchesRect(const CRect& rect) override;
    // Copies the font and the prepared text, not the typed text nor the measured size.
    CDrawObj* CloneInto(CVemtDoc* doc) override;

    // Takes font and text from the text entry window. An empty typed text changes only
    // the font members and the typed text; otherwise the prepared text is rebuilt for
    // the sign width of the document's sign (or `signWidth` when given, > 0).
    void PrepareText(const CTextEntryValues& entry, int signWidth = 0);
    // A new object of the character tool: face, size, character set and pitch from the
    // editor's text defaults, bold, italic and underline off, transparent background.
    void ApplyTextDefaults();
    // The prepared text becomes a copy of text, or a single space with none;
    // m_nTextSize stays as it is.
    void SetText(const char* text);

    // The face name up to its terminator (at most 32 bytes).
    std::string GetFaceName() const;
    // At most 31 bytes and a terminator; the bytes after it stay as they are.
    void SetFaceName(const std::string& name);
    // The logical font the object draws with.
    CLogFont MakeLogFont() const;

    // Shown when the object's font cannot be made (the drawing goes on with the stock
    // font); the editor puts up a message box, the default writes to standard error.
    using MessageHandler = void (*)(const std::string& text, const std::string& caption);
    static void SetMessageHandler(MessageHandler handler);

    int m_bBold = 0;
    int m_bItalic = 0;
    int m_bUnderline = 0;
    int m_nPointSize = 0;
    std::uint8_t m_nCharSet = 0;
    char m_szFaceName[kFaceNameSize] = {};
    int m_nCurPitch = 0;
    int m_nTextSize = 0;               // bytes of the prepared text with its terminating zero
    std::vector<char> m_pszText;       // the prepared text: lines separated by CR LF
    int m_nRowPitch = -1;              // -1: the height of the previous line
    int m_nTextWidth = 0;              // widest line of the last drawing
    int m_nTextHeight = 0;             // height of the block in the last drawing
    int m_nDrawnBottom = 0;            // row below the lowest line of the last drawing; not stored
    int m_nBkMode = 0;                 // 1 transparent, 2 opaque
    std::string m_strRawText;

private:
    int SignWidth() const;
    int SignHeight() const;
};
