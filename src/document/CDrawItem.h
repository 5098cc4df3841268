#pragma once
// The embedded picture a CDrawOleObj shows: a raster of colour references with its
// natural size, drawn dot for dot into the object's rectangle. The item is written to a
// document after its own "CDrawItem" class tag in a versioned byte form with an explicit
// length, so a reader can check it before allocating anything.

#include "raster/Geometry.h"

#include <cstdint>
#include <vector>

class CArchive;
class CDrawOleObj;
class CRasterDC;
class CVemtDoc;

class CDrawItem {
public:
    static constexpr const char* kClassName = "CDrawItem";
    static constexpr std::uint16_t kFormatVersion = 1;
    // A picture larger than this on either side is not one the editor made: no canvas is
    // wider than 320 dots or taller than 64 x 150.
    static constexpr int kMaxSide = 16384;
    static constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 24;

    // Pixel encodings of the byte form.
    static constexpr std::uint8_t kEncodingRaw = 0;  // width x height colour references
    static constexpr std::uint8_t kEncodingRuns = 1; // (count - 1 in one byte, colour) pairs

    CDrawItem(CVemtDoc* doc, CDrawOleObj* drawObj);
    ~CDrawItem();
    CDrawItem(const CDrawItem&) = delete;
    CDrawItem& operator=(const CDrawItem&) = delete;

    // Replaces the picture; pixels holds width x height colour references, top row first.
    // False (and nothing changed) when the sizes do not match or exceed the limits.
    bool SetPicture(int width, int height, std::vector<COLORREF> pixels);
    int PictureWidth() const { return m_nWidth; }
    int PictureHeight() const { return m_nHeight; }
    const std::vector<COLORREF>& Pixels() const { return m_aPixels; }
    bool HasPicture() const { return m_nWidth > 0 && m_nHeight > 0; }

    // The picture's natural size in 0.01 mm, one dot being a pixel at 100 dots per inch
    // (the extent that UpdateExtent turns back into exactly width x height dots). False
    // when there is no picture.
    bool GetExtent(CSize& extent) const;

    // Draws the picture stretched into `rect` as stored: nearest neighbour, every dot of
    // the normalised rectangle taking the picture pixel under its centre; an inverted
    // side mirrors the picture along it.
    void Draw(CRasterDC& dc, const CRect& rect) const;

    // A copy of src's picture; always succeeds for a picture src holds.
    bool CreateCloneFrom(const CDrawItem& src);

    void Serialize(CArchive& ar);

    // Notification codes of the picture's holder.
    static constexpr int kChanged = 0;
    static constexpr int kClosed = 2;
    static constexpr int kStateChanged = 4;
    static constexpr int kAspectChanged = 5;
    // Changed: the extent follows the picture, then the views redraw the object. Closed:
    // the object gets back the rectangle it had when it was opened. State or aspect
    // changed: the views redraw the object.
    void OnChange(int code);
    // Where the picture is, in dots; an object without a size takes its natural size first.
    CRect GetItemPosition();
    // The holder moved the picture: the object takes the new rectangle (views told before
    // and after, natural size read again, document modified). False when it is unchanged.
    bool OnChangeItemPosition(const CRect& position);

    CVemtDoc* m_pDocument;
    CDrawOleObj* m_pDrawObj;
    CRect m_rcSaved;  // the object's rectangle when it was last opened

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<COLORREF> m_aPixels;
};
