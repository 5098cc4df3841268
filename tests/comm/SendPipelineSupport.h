#pragma once
// The document the send tests send: four shapes over two of four 48 x 16 screens, in
// red, green and yellow, and what a sign shows of it.

#include "CommTestSupport.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "comm/CSimulatorLine.h"
#include "comm/FrameProtocol.h"
#include "document/CDrawRect.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace sendpipeline {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kYellow = 0x00FFFF;

inline CDrawRect* Shape(int shape, CRect r, COLORREF line, COLORREF fill, int pen, int fillMode)
{
    auto* obj = new CDrawRect(r, line, fill, pen, fillMode);
    obj->m_nShape = shape;
    return obj;
}

// What the sign shows for a rendered dot: red from the red component, green from the
// green component, each lit from 128 up.
inline CRasterSurface AsSignColours(const CRasterSurface& s, bool doubleColour)
{
    CRasterSurface out(s.Width(), s.Height(), 0);
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.GetPixel(x, y);
            const bool r = (c & 0xFF) >= 0x80;
            const bool g = doubleColour && ((c >> 8) & 0xFF) >= 0x80;
            out.SetPixel(x, y, (r ? kRed : 0) | (g ? kGreen : 0));
        }
    return out;
}

inline std::string Picture(const CRasterSurface& s)
{
    std::string text;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.GetPixel(x, y);
            text += c == 0 ? '.' : c == kRed ? 'R' : c == kGreen ? 'G' : c == kYellow ? 'Y' : '?';
        }
        text += '\n';
    }
    return text;
}

inline int Count(const CRasterSurface& s, COLORREF colour)
{
    int n = 0;
    for (COLORREF c : s.Pixels()) n += c == colour;
    return n;
}

struct SendPipeline : ::testing::Test {
    CVemtApp app;
    CVemtDoc doc {&app};
    CSignSimulator sim;
    CSimulatorLine line {sim};
    CMessageList messages;

    void SetUp() override
    {
        ResetEditorState();
        app.m_nTPWidth = 48;
        app.m_nTPHeight = 16;
        app.m_nTotalScreen = 4;
        app.m_nColorCount = 2;
        // Screen 1: a red frame around a green oval; screen 2: a yellow filled box and a
        // red diagonal that crosses from screen 1. Screens 3 and 4 stay empty.
        doc.AddObj(Shape(kShapeRectangle, {0, 0, 48, 16}, kRed, 0, 1, kFillOutline));
        doc.AddObj(Shape(kShapeOval, {6, 3, 30, 14}, kGreen, kGreen, 1, kFillOutlineAndFill));
        doc.AddObj(Shape(kShapeRectangle, {30, 18, 44, 30}, kYellow, kYellow, 1, kFillOutlineAndFill));
        doc.AddObj(Shape(kShapeLine, {2, 10, 26, 28}, kRed, 0, 2, kFillOutline));
        ASSERT_TRUE(line.Open());
    }
    void TearDown() override { ResetEditorState(); }

    CRasterSurface Canvas(int height)
    {
        CRasterSurface canvas(app.m_nTPWidth, height, 0);
        RenderRegion(doc.m_objects, canvas, app.m_nTPWidth, height);
        return AsSignColours(canvas, app.m_nColorCount == 2);
    }
    void ExpectShows(std::uint8_t address, const CRasterSurface& expected)
    {
        const CSimSignState st = sim.State(address);
        ASSERT_EQ(st.m_nMessages, 1) << "sign " << int(address);
        EXPECT_EQ(st.Screens(), 2);
        const std::string shown = Picture(CSignSimulator::DecodeScreens(st));
        EXPECT_EQ(shown, Picture(expected)) << "sign " << int(address) << " shows the canvas dot for dot";
    }
};

// Walks the bytes the signs received: every frame's address byte must have come with
// the ninth bit set and every byte of its body without. A sign that never answered its
// address byte gets no body.
inline void ExpectParityOfEveryFrame(const std::vector<std::uint8_t>& bytes, const std::string& parity,
                              const std::vector<std::uint8_t>& silent)
{
    ASSERT_EQ(bytes.size(), parity.size());
    std::size_t i = 0;
    int frames = 0;
    while (i < bytes.size()) {
        ASSERT_EQ(parity[i], 'M') << "address byte at " << i << " (" << int(bytes[i]) << ")";
        const std::uint8_t address = bytes[i];
        if (std::find(silent.begin(), silent.end(), address) != silent.end()) {
            ++i;
            continue;
        }
        ASSERT_LT(i + 1, bytes.size());
        const std::size_t length = std::size_t(FrameLengthForCommand(bytes[i + 1]));
        ASSERT_LE(i + length, bytes.size());
        const std::string body = parity.substr(i + 1, length - 1);
        EXPECT_EQ(body.find_first_not_of('S'), std::string::npos)
            << "frame " << frames << " to " << int(address) << ": body byte " << body.find_first_not_of('S') << " is "
            << body[body.find_first_not_of('S')];
        i += length;
        ++frames;
    }
    EXPECT_GT(frames, 0);
}

} // namespace sendpipeline

using namespace sendpipeline;
