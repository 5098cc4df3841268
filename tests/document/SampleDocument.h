#pragma once
// A document holding one object of every kind with every stored field away from its
// default, and the temporary directory the file tests write into.

#include "app/CVemtApp.h"
#include "document/CDrawItem.h"
#include "document/CDrawOleObj.h"
#include "document/CDrawArc.h"
#include "document/CDrawFill.h"
#include "document/CDrawFont.h"
#include "document/CDrawPoly.h"
#include "document/CDrawRect.h"
#include "document/CStroke.h"
#include "document/CVemtDoc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline CDrawRect* MakeRect(int shape, CRect rc, COLORREF line, COLORREF fill, int pen, int mode,
                           CPoint round)
{
    auto* obj = new CDrawRect(rc, line, fill, pen, mode);
    obj->m_nShape = shape;
    obj->m_ptRound = round;
    return obj;
}

// A picture of w x h pixels; `noisy` makes every pixel differ from its neighbour.
inline std::unique_ptr<CDrawItem> MakePicture(CVemtDoc* doc, int w, int h, bool noisy)
{
    std::vector<COLORREF> pixels(std::size_t(w) * std::size_t(h));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = noisy ? COLORREF((i * 2654435761u) & 0x00FFFFFF) : (i < pixels.size() / 2 ? 0x0000FF : 0x00FF00);
    auto item = std::make_unique<CDrawItem>(doc, nullptr);
    EXPECT_TRUE(item->SetPicture(w, h, std::move(pixels)));
    return item;
}

inline CDrawOleObj* MakePictureObj(CVemtDoc* doc, CRect rc, int w, int h, bool noisy)
{
    auto* obj = new CDrawOleObj(rc);
    obj->SetClientItem(MakePicture(doc, w, h, noisy));
    obj->m_sizeExtent = CSize(w * 26, -h * 26);
    obj->m_crLine = 0x00123456;
    obj->m_nPenWidth = 3;
    return obj;
}

inline void FillSampleDocument(CVemtDoc& doc, CVemtApp& app)
{
    doc.AddObj(MakeRect(kShapeRectangle, {10, 2, 3, 14}, 0x0000FF, 0x00FF00, 2, 1, {16, 16}));
    doc.AddObj(MakeRect(kShapeRoundRect, {-4, 20, 40, 30}, 0x00FFFF, 0x0000FF, 3, 2, {7, 9}));
    doc.AddObj(MakeRect(kShapeOval, {50, 1, 60, 11}, 0x00FF00, 0x00FFFF, 1, 0, {5, 3}));
    doc.AddObj(MakeRect(kShapeLine, {70, 15, 62, 5}, 0x0000FF, 0x000000, 4, 1, {1, 1}));
    doc.AddObj(MakePictureObj(&doc, {80, 0, 92, 8}, 12, 8, true));    // raw pixels
    doc.AddObj(MakePictureObj(&doc, {100, 30, 90, 20}, 40, 30, false)); // runs, mirrored
    doc.AddObj(MakeRect(kShapeRectangle, {1, 40, 2, 41}, 0x0000FF, 0x00FF00, 1, 2, {2, 2}));

    auto* poly = new CDrawPoly({3, 4, 30, 25}, 0x00FF00, 0x0000FF, 2, 1);
    poly->m_pPoints = {{3, 4}, {30, 9}, {12, 25}, {5, 20}};
    poly->m_nPoints = 4;
    poly->m_nAllocPoints = 10;
    doc.AddObj(poly);

    auto* stroke = new CStroke(3, 0x00FFFF);
    stroke->m_aPoints = {{40, 40}, {41, 42}, {45, 41}, {47, 38}};
    stroke->m_rcBounds = CRect(40, 38, 47, 42);
    stroke->m_rcPosition = stroke->m_rcBounds;
    stroke->m_crFill = 0x000080;
    doc.AddObj(stroke);

    auto* arc = new CDrawArc(CPoint(60, 30), 2, 0x0000FF);
    arc->m_ptEnd = CPoint(90, 35);
    arc->m_ptCtrl2 = CPoint(80, 20);
    arc->m_rcPosition = CRect(60, 20, 90, 35);
    arc->m_nFillMode = 1;
    doc.AddObj(arc);

    doc.AddObj(new CDrawFill({11, 12, 13, 14}, 0x00FF00, 0x0000FF));

    auto* text = new CDrawFont({2, 50, 60, 62}, 0x00FFFF, 0x0000FF);
    text->m_bBold = 1;
    text->m_bItalic = 1;
    text->m_bUnderline = 1;
    text->m_nPointSize = 12;
    text->m_nCharSet = 134;
    std::memcpy(text->m_szFaceName, "Arial\0junk after the name", 26);
    const char prepared[] = "AB\r\nCD";
    text->m_pszText.assign(prepared, prepared + sizeof prepared);
    text->m_nTextSize = int(sizeof prepared);
    text->m_nBkMode = 2;
    text->m_nCurPitch = 3;
    text->m_nRowPitch = 5;
    text->m_strRawText = std::string(300, 'x') + "\tAB\r\nCD";  // the 0xFF length form
    doc.AddObj(text);
    int n = 1;
    for (TIMERINFO& t : app.m_aTimer) {
        t = TIMERINFO{1, std::uint8_t(n & 1), std::uint8_t(n % 8), std::uint8_t(n), std::uint8_t(n + 2),
                      std::uint8_t(n + 10), std::uint8_t(n * 7)};
        ++n;
    }
    doc.SetModifiedFlag(false);
}

class TempDir {
public:
    TempDir()
    {
        char templ[] = "/tmp/vemt-docfile-XXXXXX";
        if (::mkdtemp(templ)) m_szPath = templ;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(m_szPath, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(m_szPath, ec);
    }
    std::string operator/(const std::string& name) const { return m_szPath + "/" + name; }
    const std::string& Path() const { return m_szPath; }

private:
    std::string m_szPath;
};

inline Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
