#include "document/CDrawItem.h"

#include "document/CArchive.h"
#include "document/CDrawOleObj.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "raster/CRasterDC.h"

#include <algorithm>
#include <cstdio>

namespace {
// Width, height and encoding in front of the pixel data.
constexpr std::uint32_t kHeaderBytes = 4 + 4 + 1;
constexpr std::uint32_t kRunBytes = 5;
constexpr std::uint32_t kMaxRun = 256;

std::uint64_t CountRuns(const std::vector<COLORREF>& pixels)
{
    std::uint64_t runs = 0;
    for (std::size_t i = 0; i < pixels.size();) {
        std::size_t j = i + 1;
        while (j < pixels.size() && j - i < kMaxRun && pixels[j] == pixels[i]) ++j;
        ++runs;
        i = j;
    }
    return runs;
}
}  // namespace

CDrawItem::CDrawItem(CVemtDoc* doc, CDrawOleObj* drawObj) : m_pDocument(doc), m_pDrawObj(drawObj) {}

CDrawItem::~CDrawItem()
{
    if (m_pDrawObj && m_pDrawObj->m_pClientItem == this) m_pDrawObj->m_pClientItem = nullptr;
}

bool CDrawItem::SetPicture(int width, int height, std::vector<COLORREF> pixels)
{
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return false;
    const std::uint64_t count = std::uint64_t(width) * std::uint64_t(height);
    if (count > kMaxPixels || pixels.size() != count) return false;
    if (count == 0) width = height = 0;
    m_nWidth = width;
    m_nHeight = height;
    m_aPixels = std::move(pixels);
    return true;
}

bool CDrawItem::GetExtent(CSize& extent) const
{
    if (!HasPicture()) return false;
    // Rounded up, so that extent x 10 / 254 (truncating) gives the pixel count back.
    extent = CSize((m_nWidth * 254 + 9) / 10, (m_nHeight * 254 + 9) / 10);
    return true;
}

void CDrawItem::Draw(CRasterDC& dc, const CRect& rect) const
{
    if (!HasPicture()) return;
    const CRect n = rect.Normalized();
    const std::int64_t dw = std::int64_t(n.right) - n.left;
    const std::int64_t dh = std::int64_t(n.bottom) - n.top;
    if (dw <= 0 || dh <= 0) return;
    const bool mirrorX = rect.left > rect.right;
    const bool mirrorY = rect.top > rect.bottom;

    // Only the dots inside the clip area are visited: the clip rectangle (device pixels)
    // taken back to logical coordinates and cut with the target rectangle.
    const CPoint org = dc.GetWindowOrg();
    const CRect clip = dc.GetClipRect();
    CRect logicalClip(clip.left + org.x, clip.top + org.y, clip.right + org.x, clip.bottom + org.y);
    CRect visible;
    if (!visible.IntersectRect(logicalClip, n)) return;

    CRasterSurface& surface = dc.Surface();
    for (int y = visible.top; y < visible.bottom; ++y) {
        std::int64_t sy = ((std::int64_t(y) - n.top) * 2 + 1) * m_nHeight / (2 * dh);
        if (mirrorY) sy = m_nHeight - 1 - sy;
        const COLORREF* src = m_aPixels.data() + std::size_t(sy) * std::size_t(m_nWidth);
        COLORREF* dst = surface.Row(y - org.y);
        for (int x = visible.left; x < visible.right; ++x) {
            std::int64_t sx = ((std::int64_t(x) - n.left) * 2 + 1) * m_nWidth / (2 * dw);
            if (mirrorX) sx = m_nWidth - 1 - sx;
            dst[x - org.x] = src[sx];
        }
    }
}

bool CDrawItem::CreateCloneFrom(const CDrawItem& src)
{
    m_nWidth = src.m_nWidth;
    m_nHeight = src.m_nHeight;
    m_aPixels = src.m_aPixels;
    m_rcSaved = src.m_rcSaved;
    return true;
}

void CDrawItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        const std::uint64_t count = m_aPixels.size();
        const std::uint64_t runs = CountRuns(m_aPixels);
        const bool useRuns = runs * kRunBytes < count * 4;
        const std::uint64_t dataBytes = useRuns ? runs * kRunBytes : count * 4;
        ar.WriteU16(kFormatVersion);
        ar.WriteU32(std::uint32_t(kHeaderBytes + dataBytes));
        ar.WriteU32(std::uint32_t(m_nWidth));
        ar.WriteU32(std::uint32_t(m_nHeight));
        ar.WriteU8(useRuns ? kEncodingRuns : kEncodingRaw);
        if (!useRuns) {
            for (COLORREF c : m_aPixels) ar.WriteU32(c);
            return;
        }
        for (std::size_t i = 0; i < m_aPixels.size();) {
            std::size_t j = i + 1;
            while (j < m_aPixels.size() && j - i < kMaxRun && m_aPixels[j] == m_aPixels[i]) ++j;
            ar.WriteU8(std::uint8_t(j - i - 1));
            ar.WriteU32(m_aPixels[i]);
            i = j;
        }
        return;
    }

    auto fail = [&ar](const std::string& what) {
        ar.SetError("the picture " + what);
    };
    const std::uint16_t version = ar.ReadU16();
    const std::uint32_t length = ar.ReadU32();
    if (ar.Failed()) return;
    if (version != kFormatVersion) {
        fail("is stored in format version " + std::to_string(version) + ", which this program "
             "does not know");
        return;
    }
    if (length < kHeaderBytes || !ar.CheckCount(length, 1, "the picture")) {
        if (!ar.Failed()) fail("has an impossible length of " + std::to_string(length) + " bytes");
        return;
    }
    const std::uint32_t width = ar.ReadU32();
    const std::uint32_t height = ar.ReadU32();
    const std::uint8_t encoding = ar.ReadU8();
    if (ar.Failed()) return;
    if (width > std::uint32_t(kMaxSide) || height > std::uint32_t(kMaxSide) ||
        std::uint64_t(width) * height > kMaxPixels) {
        fail("claims " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels, more than any canvas");
        return;
    }
    const std::uint64_t count = std::uint64_t(width) * height;
    const std::uint64_t dataBytes = length - kHeaderBytes;

    std::vector<COLORREF> pixels;
    if (encoding == kEncodingRaw) {
        if (dataBytes != count * 4) {
            fail("holds " + std::to_string(dataBytes) + " bytes of pixels where " +
                 std::to_string(width) + " x " + std::to_string(height) + " need " +
                 std::to_string(count * 4));
            return;
        }
        pixels.resize(count);
        for (COLORREF& c : pixels) c = ar.ReadU32();
    } else if (encoding == kEncodingRuns) {
        const std::uint64_t runs = dataBytes / kRunBytes;
        if (dataBytes % kRunBytes != 0 || count > runs * kMaxRun) {
            fail("has runs of pixels that cannot cover " + std::to_string(width) + " x " +
                 std::to_string(height) + " pixels");
            return;
        }
        pixels.reserve(count);
        for (std::uint64_t r = 0; r < runs && !ar.Failed(); ++r) {
            const std::uint32_t n = ar.ReadU8() + 1u;
            const COLORREF c = ar.ReadU32();
            if (pixels.size() + n > count) {
                fail("has more pixels in its runs than " + std::to_string(width) + " x " +
                     std::to_string(height));
                return;
            }
            pixels.insert(pixels.end(), n, c);
        }
        if (!ar.Failed() && pixels.size() != count) {
            fail("has fewer pixels in its runs than " + std::to_string(width) + " x " +
                 std::to_string(height));
            return;
        }
    } else {
        fail("uses the unknown pixel encoding " + std::to_string(encoding));
        return;
    }
    if (ar.Failed()) return;
    m_nWidth = count ? int(width) : 0;
    m_nHeight = count ? int(height) : 0;
    m_aPixels = std::move(pixels);
}

void CDrawItem::OnChange(int code)
{
    if (!m_pDrawObj) return;
    auto tellViews = [this] {
        if (m_pDocument) m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, m_pDrawObj);
    };
    switch (code) {
    case kChanged:
        m_pDrawObj->UpdateExtent();
        tellViews();
        break;
    case kClosed: m_pDrawObj->m_rcPosition = m_rcSaved; break;
    case kStateChanged:
    case kAspectChanged: tellViews(); break;
    default: break;
    }
}

CRect CDrawItem::GetItemPosition()
{
    if (!m_pDrawObj) return CRect();
    if (m_pDrawObj->m_rcPosition.IsRectEmpty() && m_pDrawObj->m_rcPosition.Normalized().IsRectEmpty())
        m_pDrawObj->UpdateExtent();
    return m_pDrawObj->m_rcPosition;
}

bool CDrawItem::OnChangeItemPosition(const CRect& position)
{
    if (!m_pDrawObj || position == m_pDrawObj->m_rcPosition) return false;
    if (m_pDocument) m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, m_pDrawObj);
    m_pDrawObj->m_rcPosition = position;
    CSize extent;
    if (GetExtent(extent)) m_pDrawObj->m_sizeExtent = extent;
    if (m_pDocument) {
        m_pDocument->SetModifiedFlag();
        m_pDocument->UpdateAllViews(nullptr, UPD_OBJECT, m_pDrawObj);
    }
    return true;
}
