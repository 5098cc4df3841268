#include "comm/CMovingLines.h"

#include <algorithm>

CMovingLines::CMovingLines(std::uint32_t seed) : m_random(seed)
{
    m_crColour = RandomColour();
    NewVelocities();
}

COLORREF CMovingLines::RandomColour()
{
    std::uniform_int_distribution<int> byte(0, 255);
    const int r = byte(m_random), g = byte(m_random), b = byte(m_random);
    return COLORREF(r | (g << 8) | (b << 16));
}

void CMovingLines::NewVelocities()
{
    std::uniform_int_distribution<int> velocity(kMinVelocity, kMaxVelocity);
    for (int& v : m_aVelocity) v = velocity(m_random);
    std::uniform_int_distribution<int> half(1, 10);
    m_nVelocitySteps = 2 * half(m_random);
}

void CMovingLines::SetArea(int width, int height)
{
    m_nWidth = std::max(1, width);
    m_nHeight = std::max(1, height);
    m_ring.clear();
    std::uniform_int_distribution<int> x(0, m_nWidth - 1), y(0, m_nHeight - 1);
    m_aPosition = {x(m_random), y(m_random), x(m_random), y(m_random)};
}

void CMovingLines::Bounce(int& position, int& velocity, int size)
{
    position += velocity;
    if (position < 0) {
        position = std::min(-position, size - 1);
        velocity = -velocity;
    } else if (position >= size) {
        position = std::max(2 * (size - 1) - position, 0);
        velocity = -velocity;
    }
}

CMovingLines::CStep CMovingLines::Advance()
{
    CStep step;
    if (int(m_ring.size()) >= kRingSize) {
        step.m_erased = m_ring.front();
        m_ring.pop_front();
    }
    if (--m_nColourSteps == 0) {
        m_crColour = RandomColour();
        m_nColourSteps = kColourSteps;
    }
    if (--m_nVelocitySteps == 0) NewVelocities();
    for (int i = 0; i < 4; ++i) Bounce(m_aPosition[i], m_aVelocity[i], i % 2 == 0 ? m_nWidth : m_nHeight);
    step.m_drawn = {{m_aPosition[0], m_aPosition[1]}, {m_aPosition[2], m_aPosition[3]}, m_crColour};
    m_ring.push_back(step.m_drawn);
    return step;
}

std::array<CMovingLine, 4> CMovingLines::Mirrored(const CMovingLine& line) const
{
    const int right = m_nWidth - 1, bottom = m_nHeight - 1;
    auto flip = [&](CPoint p, bool x, bool y) { return CPoint {x ? right - p.x : p.x, y ? bottom - p.y : p.y}; };
    std::array<CMovingLine, 4> copies;
    for (int i = 0; i < 4; ++i) {
        const bool x = i & 1, y = i & 2;
        copies[std::size_t(i)] = {flip(line.m_ptFrom, x, y), flip(line.m_ptTo, x, y), line.m_crColour};
    }
    return copies;
}
