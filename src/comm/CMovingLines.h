#pragma once
// The moving-lines animation of the timed-send window. Two endpoints wander over the
// area, bouncing off its edges; each step adds the line between them to a ring of at
// most 100 lines and, once the ring is full, takes the oldest away. Lines are drawn in
// exclusive-or mode, four times each (mirrored about the area's vertical and horizontal
// centre lines), so drawing the oldest line again erases it. Every 11 steps the colour
// changes; every 2 to 20 steps (an even number, chosen anew each time) every velocity
// component takes a new value from -5 to 4.

#include "raster/Geometry.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>

struct CMovingLine {
    CPoint m_ptFrom;
    CPoint m_ptTo;
    COLORREF m_crColour = 0;
    bool operator==(const CMovingLine&) const = default;
};

class CMovingLines {
public:
    static constexpr int kRingSize = 100;
    static constexpr int kColourSteps = 11;
    static constexpr int kMinVelocity = -5;
    static constexpr int kMaxVelocity = 4;

    explicit CMovingLines(std::uint32_t seed = std::random_device {}());

    // The area the lines move in; the ring starts empty again.
    void SetArea(int width, int height);
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    struct CStep {
        std::optional<CMovingLine> m_erased;  // the oldest line, to be drawn again
        CMovingLine m_drawn;                  // the new line
    };
    CStep Advance();

    // The four copies a line is drawn as.
    std::array<CMovingLine, 4> Mirrored(const CMovingLine& line) const;

    const std::deque<CMovingLine>& Ring() const { return m_ring; }
    COLORREF Colour() const { return m_crColour; }
    // Velocities of the two endpoints: x0, y0, x1, y1.
    const std::array<int, 4>& Velocities() const { return m_aVelocity; }
    // Steps left until the velocities change.
    int StepsToVelocityChange() const { return m_nVelocitySteps; }

private:
    COLORREF RandomColour();
    void NewVelocities();
    static void Bounce(int& position, int& velocity, int size);

    std::mt19937 m_random;
    int m_nWidth = 1;
    int m_nHeight = 1;
    std::array<int, 4> m_aPosition {};
    std::array<int, 4> m_aVelocity {};
    std::deque<CMovingLine> m_ring;
    COLORREF m_crColour = 0;
    int m_nColourSteps = kColourSteps;
    int m_nVelocitySteps = 2;
};
