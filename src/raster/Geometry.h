#pragma once
// Integer geometry in dots, laid out like the platform types the drawing code was
// designed around: a rectangle is left, top, right, bottom, with right and bottom
// outside it, and may be inverted (left > right or top > bottom).

#include <algorithm>
#include <cstdint>

using COLORREF = std::uint32_t;  // 0x00BBGGRR: red in the low byte

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    constexpr bool operator==(const CPoint&) const = default;
    constexpr CPoint operator+(CPoint o) const { return {x + o.x, y + o.y}; }
    constexpr CPoint operator-(CPoint o) const { return {x - o.x, y - o.y}; }
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    constexpr bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint topLeft, CPoint bottomRight)
        : left(topLeft.x), top(topLeft.y), right(bottomRight.x), bottom(bottomRight.y) {}
    constexpr bool operator==(const CRect&) const = default;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    // Empty: no area (also true for an inverted rectangle).
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr void SetRectEmpty() { left = top = right = bottom = 0; }
    constexpr void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    constexpr CRect Normalized() const
    {
        CRect r = *this;
        r.NormalizeRect();
        return r;
    }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx; right += dx; top += dy; bottom += dy;
    }
    constexpr void InflateRect(int dx, int dy)
    {
        left -= dx; right += dx; top -= dy; bottom += dy;
    }
    // Intersection of two normalised rectangles; false (and empty) when they do not overlap.
    constexpr bool IntersectRect(const CRect& a, const CRect& b)
    {
        *this = {std::max(a.left, b.left), std::max(a.top, b.top),
                 std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // Union of two normalised rectangles; an empty one does not count.
    constexpr bool UnionRect(const CRect& a, const CRect& b)
    {
        if (a.IsRectEmpty()) *this = b;
        else if (b.IsRectEmpty()) *this = a;
        else *this = {std::min(a.left, b.left), std::min(a.top, b.top),
                      std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
};
