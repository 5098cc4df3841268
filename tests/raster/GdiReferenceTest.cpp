// Runs every case of the GDI reference set (grids produced by real GDI calls) through
// the raster engine and compares the pictures pixel for pixel.

#include "RasterPicture.h"
#include "raster/CRasterDC.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <set>

namespace {

struct CReferenceCase {
    std::string m_szName;
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::vector<std::string>> m_aOps;
    std::vector<std::string> m_aExpected;
    std::set<std::string> m_tags;
};

// GDI_REFERENCE_DIR when set; otherwise shared/ beside the source tree, or one level
// higher for a source tree that is a worktree inside the project folder.
std::vector<std::string> ReferenceDirs()
{
    if (const char* env = std::getenv("GDI_REFERENCE_DIR"); env && *env) return {env};
    return {std::string(VEMT_SOURCE_DIR) + "/../shared/gdi-reference",
            std::string(VEMT_SOURCE_DIR) + "/../../shared/gdi-reference"};
}

std::vector<std::string> Tokens(std::string line)
{
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;) tokens.push_back(t);
    return tokens;
}

// Reads cases.txt, expected.txt and tags.txt; an empty result means they are missing.
std::vector<CReferenceCase> LoadReference(const std::string& dir, std::string& error)
{
    std::vector<CReferenceCase> cases;
    std::map<std::string, std::size_t> index;
    std::ifstream casesFile(dir + "/cases.txt");
    if (!casesFile) {
        error = "cannot read " + dir + "/cases.txt";
        return {};
    }
    CReferenceCase* open = nullptr;
    for (std::string line; std::getline(casesFile, line);) {
        const auto t = Tokens(line);
        if (t.empty()) continue;
        if (t[0] == "case" && t.size() >= 4) {
            cases.push_back({t[1], std::stoi(t[2]), std::stoi(t[3]), {}, {}, {}});
            index[t[1]] = cases.size() - 1;
            open = &cases.back();
        } else if (t[0] == "end") {
            open = nullptr;
        } else if (open) {
            open->m_aOps.push_back(t);
        }
    }
    std::ifstream expectedFile(dir + "/expected.txt");
    CReferenceCase* filling = nullptr;
    for (std::string line; std::getline(expectedFile, line);) {
        if (line.rfind("case ", 0) == 0) {
            const auto t = Tokens(line);
            auto it = index.find(t.size() > 1 ? t[1] : "");
            filling = it == index.end() ? nullptr : &cases[it->second];
        } else if (line == "end") {
            filling = nullptr;
        } else if (filling) {
            filling->m_aExpected.push_back(line);
        }
    }
    std::ifstream tagsFile(dir + "/tags.txt");
    for (std::string line; std::getline(tagsFile, line);) {
        const auto t = Tokens(line);
        if (t.size() < 2) continue;
        auto it = index.find(t[0]);
        if (it != index.end()) cases[it->second].m_tags.insert(t.begin() + 1, t.end());
    }
    return cases;
}

long Num(const std::string& s) { return std::stol(s, nullptr, 10); }
COLORREF Colour(const std::string& s) { return COLORREF(std::stoul(s, nullptr, 16)); }

std::vector<CPoint> PointList(const std::vector<std::string>& op, std::size_t first, std::size_t count)
{
    std::vector<CPoint> pts;
    for (std::size_t i = 0; i < count && first + 2 * i + 1 < op.size(); ++i)
        pts.push_back({int(Num(op[first + 2 * i])), int(Num(op[first + 2 * i + 1]))});
    return pts;
}

// Plays a case on a fresh black canvas in a fresh device context.
CRasterSurface Render(const CReferenceCase& c)
{
    CRasterSurface surface(c.m_nWidth, c.m_nHeight, 0x000000);
    CRasterDC dc(surface);
    for (const auto& op : c.m_aOps) {
        const std::string& name = op[0];
        auto n = [&](std::size_t i) { return int(Num(op.at(i))); };
        if (name == "pen") dc.SelectPen(CRasterPen::Solid(n(1), Colour(op.at(2))));
        else if (name == "nullpen") dc.SelectPen(CRasterPen::Null());
        else if (name == "brush") dc.SelectBrush(CRasterBrush::Solid(Colour(op.at(1))));
        else if (name == "nullbrush") dc.SelectBrush(CRasterBrush::Null());
        else if (name == "fillmode")
            dc.SetPolyFillMode(op.at(1) == "winding" ? PolyFillMode::Winding : PolyFillMode::Alternate);
        else if (name == "rect") dc.Rectangle({n(1), n(2), n(3), n(4)});
        else if (name == "roundrect") dc.RoundRect({n(1), n(2), n(3), n(4)}, {n(5), n(6)});
        else if (name == "ellipse") dc.Ellipse({n(1), n(2), n(3), n(4)});
        else if (name == "line") {
            dc.MoveTo({n(1), n(2)});
            dc.LineTo({n(3), n(4)});
        } else if (name == "polygon" || name == "polyline" || name == "lineto") {
            const auto pts = PointList(op, 2, std::size_t(n(1)));
            if (name == "polygon") dc.Polygon(pts.data(), int(pts.size()));
            else if (name == "polyline") dc.Polyline(pts.data(), int(pts.size()));
            else if (!pts.empty()) {
                dc.MoveTo(pts[0]);
                for (std::size_t i = 1; i < pts.size(); ++i) dc.LineTo(pts[i]);
            }
        } else if (name == "bezier") {
            const auto pts = PointList(op, 1, 4);
            dc.PolyBezier(pts.data(), int(pts.size()));
        } else if (name == "floodfill") {
            const CRasterBrush previous = dc.SelectBrush(CRasterBrush::Solid(0xFF0000));
            dc.ExtFloodFillSurface({n(1), n(2)}, 0x000000);
            dc.SelectBrush(previous);
        } else if (name == "pixel") {
            dc.SetPixel({n(1), n(2)}, Colour(op.at(3)));
        } else {
            ADD_FAILURE() << c.m_szName << ": unknown operation " << name;
        }
    }
    return surface;
}

// Known differences: "NAME reason..." lines; '#' starts a comment.
std::map<std::string, std::string> LoadKnownDifferences()
{
    std::map<std::string, std::string> known;
    std::ifstream in(std::string(VEMT_SOURCE_DIR) + "/tests/raster/gdi-known-differences.txt");
    for (std::string line; std::getline(in, line);) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string name, reason, w;
        if (!(words >> name)) continue;
        while (words >> w) reason += (reason.empty() ? "" : " ") + w;
        known[name] = reason;
    }
    return known;
}

TEST(GdiReference, EveryCaseMatchesGdiPixelForPixel)
{
    std::string error;
    std::vector<CReferenceCase> cases;
    for (const std::string& dir : ReferenceDirs()) {
        std::string why;
        cases = LoadReference(dir, why);
        if (!cases.empty()) break;
        error += why + "\n";
    }
    ASSERT_FALSE(cases.empty()) << error;
    const auto known = LoadKnownDifferences();

    int exact = 0;
    long differing = 0;
    std::set<std::string> names;
    for (const auto& c : cases) {
        names.insert(c.m_szName);
        ASSERT_EQ(int(c.m_aExpected.size()), c.m_nHeight) << c.m_szName << ": expected grid missing or short";
        for (const auto& row : c.m_aExpected) ASSERT_EQ(int(row.size()), c.m_nWidth) << c.m_szName;
        const auto actual = SurfaceRows(Render(c));
        const int diff = CountDifferences(c.m_aExpected, actual);
        if (diff == 0) {
            ++exact;
            continue;
        }
        differing += diff;
        std::cout << "mismatch " << c.m_szName << ": " << diff << " pixels differ\n";
        auto k = known.find(c.m_szName);
        if (k == known.end()) {
            ADD_FAILURE() << c.m_szName << " differs in " << diff << " pixels\n"
                          << SideBySide(c.m_aExpected, actual);
        } else if (c.m_tags.count("core")) {
            ADD_FAILURE() << c.m_szName << " is a core case and must be exact\n"
                          << SideBySide(c.m_aExpected, actual);
        } else if (k->second.empty()) {
            ADD_FAILURE() << c.m_szName << " is listed as a known difference without a reason";
        }
    }
    for (const auto& [name, reason] : known)
        if (!names.count(name)) ADD_FAILURE() << "known difference " << name << " names no case";
    std::cout << "gdi-reference: " << exact << "/" << cases.size() << " cases exact, " << differing
              << " pixels differ" << std::endl;
}

} // namespace
