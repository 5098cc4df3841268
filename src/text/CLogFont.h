#pragma once
// The description a font is created from, with the fields of the platform's logical
// font that this program sets.

#include <cstdint>
#include <string>

// a * b / c rounded to the nearest integer, halves away from zero, with a 64-bit
// intermediate; -1 when c is 0 (as the platform's MulDiv).
constexpr int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    long long p = static_cast<long long>(a) * b;
    bool negative = (p < 0) != (c < 0);
    long long ap = p < 0 ? -p : p;
    long long ac = c < 0 ? -static_cast<long long>(c) : c;
    long long q = (ap + ac / 2) / ac;
    return static_cast<int>(negative ? -q : q);
}

struct CLogFont {
    // The screens are laid out at a fixed 96 dots per inch, so a point size becomes the
    // same em height in dots on every machine.
    static constexpr int kDotsPerInch = 96;

    // < 0: em height in dots; > 0: cell height (ascent + descent); 0: the default size.
    int m_nHeight = 0;
    int m_nWeight = 400;        // 700 and above is bold
    bool m_bItalic = false;
    bool m_bUnderline = false;
    std::uint8_t m_nCharSet = 0;
    std::string m_szFaceName;   // as stored: bytes of the character set's code page, or UTF-8

    // The height for a point size: -(points x 96 / 72, rounded as MulDiv).
    static constexpr int HeightFromPointSize(int pointSize)
    {
        return -MulDiv(pointSize, kDotsPerInch, 72);
    }

    bool operator==(const CLogFont&) const = default;
};
