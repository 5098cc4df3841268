#pragma once
// A small sign, a document on it and a view that records what it is asked, plus the
// document's bytes and its rendered dots as text, for the editor's headless tests.

#include "document/FakeDrawView.h"
#include "raster/RasterPicture.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CArchive.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "raster/CRasterSurface.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using DocBytes = std::vector<std::uint8_t>;

// The document's object list exactly as its file holds it.
inline DocBytes BytesOf(const CVemtDoc& doc)
{
    CArchive ar;
    doc.WriteObjects(ar);
    return ar.Data();
}

// The canvas rows (or the first `rows` of them) as text: '.' off, R red, G green, Y yellow.
inline std::vector<std::string> DotsOf(const CVemtDoc& doc, int width, int rows)
{
    CRasterSurface surface(width, rows);
    RenderRegion(doc.m_objects, surface, width, rows);
    return SurfaceRows(surface);
}

// Rows given as one string, '/' after each row (the last one's may be left out).
inline std::vector<std::string> Rows(const std::string& picture)
{
    std::vector<std::string> rows(1);
    for (char c : picture) {
        if (c == '/') rows.emplace_back();
        else rows.back() += c;
    }
    if (rows.size() > 1 && rows.back().empty()) rows.pop_back();  // a closing '/'
    return rows;
}

// Compares the first rows of the canvas with a picture and prints both on failure.
#define EXPECT_DOTS(doc, picture)                                                         \
    do {                                                                                  \
        const auto expected_ = Rows(picture);                                             \
        const auto actual_ = DotsOf((doc), int(expected_[0].size()), int(expected_.size())); \
        EXPECT_EQ(CountDifferences(expected_, actual_), 0) << SideBySide(expected_, actual_); \
    } while (0)

class EditorTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEditorState();
        m_app.m_nTPWidth = 64;
        m_app.m_nTPHeight = 16;
        m_app.m_nTotalScreen = 2;
        m_app.m_nColorCount = 2;
        m_pDoc = std::make_unique<CVemtDoc>(&m_app);
        m_pDoc->AddView(&m_view);
    }
    void TearDown() override
    {
        m_pDoc.reset();
        ResetEditorState();
    }

    CVemtDoc& Doc() { return *m_pDoc; }

    CVemtApp m_app;
    CFakeDrawView m_view;
    std::unique_ptr<CVemtDoc> m_pDoc;
};
