#include "editor/clipboard/PasteRules.h"

#include "document/CDrawItem.h"
#include "document/CDrawOleObj.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "editor/clipboard/ClipboardPayload.h"
#include "editor/undo/CEditRecorder.h"

#include <QMimeData>

#include <algorithm>
#include <utility>

EPasteSource ChoosePasteSource(bool hasObjects, bool hasImage, bool hasText)
{
    if (hasObjects) return EPasteSource::Objects;
    if (hasText) return EPasteSource::Text;
    if (hasImage) return EPasteSource::Picture;
    return EPasteSource::None;
}

EPasteSource ChoosePasteSource(const QMimeData& data)
{
    return ChoosePasteSource(data.hasFormat(QString::fromLatin1(kKvxPaintMimeType)), data.hasImage(),
                             data.hasText());
}

CPoint DotUnderClientPixel(const IDrawView& view, int clientX, int clientY)
{
    const int zoom = std::max(1, view.GetZoomFactor());
    const CPoint scroll = view.GetScrollDots();
    return CPoint(scroll.x + clientX / zoom, scroll.y + clientY / zoom);
}

QString TextForEntryWindow(const QString& clipboardText)
{
    QString text = clipboardText;
    text.replace(QLatin1Char('\t'), QStringLiteral("    "));
    return text;
}

std::vector<COLORREF> PicturePixels(const QImage& image)
{
    // Premultiplied colours are the picture laid over black.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::vector<COLORREF> pixels;
    pixels.reserve(std::size_t(argb.width()) * std::size_t(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) pixels.push_back(RGB(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
    }
    return pixels;
}

std::unique_ptr<CDrawOleObj> MakePictureObject(const QImage& image, CPoint at, CVemtDoc* doc)
{
    if (image.isNull() || image.width() > CDrawItem::kMaxSide || image.height() > CDrawItem::kMaxSide ||
        std::uint64_t(image.width()) * std::uint64_t(image.height()) > CDrawItem::kMaxPixels)
        return nullptr;
    auto obj = std::make_unique<CDrawOleObj>(CRect(at.x, at.y, at.x, at.y));
    auto item = std::make_unique<CDrawItem>(doc, obj.get());
    if (!item->SetPicture(image.width(), image.height(), PicturePixels(image)) || !item->HasPicture())
        return nullptr;
    obj->SetClientItem(std::move(item));
    // The natural extent comes out inverted vertically; the far edge is mirrored about
    // the near one so that the picture stands upright, one dot per pixel.
    obj->UpdateExtent();
    CRect& r = obj->m_rcPosition;
    if (r.right < r.left) r.right = r.left + (r.left - r.right);
    if (r.bottom < r.top) r.bottom = r.top + (r.top - r.bottom);
    obj->m_pDocument = doc;
    return obj;
}

std::vector<CDrawObj*> AddObjectsAsStep(CVemtDoc& doc, std::vector<std::unique_ptr<CDrawObj>> objects,
                                        const QString& step)
{
    std::vector<CDrawObj*> added;
    if (objects.empty()) return added;
    CEditRecorder recorder(doc);
    for (auto& obj : objects) {
        CDrawObj* raw = obj.release();
        doc.AddObj(raw);
        added.push_back(raw);
    }
    recorder.Commit(step);
    doc.UpdateAllViews(nullptr, UPD_SELECTION, nullptr, &added);
    return added;
}

CDrawOleObj* SinglePicture(const std::vector<CDrawObj*>& selection)
{
    if (selection.size() != 1) return nullptr;
    return dynamic_cast<CDrawOleObj*>(selection.front());
}

void InvertPicture(CDrawOleObj& picture, bool xAxis)
{
    CVemtDoc* doc = picture.m_pDocument;
    std::unique_ptr<CEditRecorder> recorder;
    if (doc) recorder = std::make_unique<CEditRecorder>(*doc);
    // Redraw where it was, mirror, redraw where it is (the same area).
    if (doc) doc->UpdateAllViews(nullptr, UPD_OBJECT, &picture);
    CRect& r = picture.m_rcPosition;
    if (xAxis) std::swap(r.left, r.right);
    else std::swap(r.top, r.bottom);
    if (doc) {
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr, UPD_OBJECT, &picture);
        recorder->Commit(QString::fromLatin1(xAxis ? kStepInvertX : kStepInvertY));
    }
}

int ScreenOfCanvasRow(int y, int screenHeight, int screenCount)
{
    if (screenHeight <= 0) return 0;
    const int screen = y < 0 ? 0 : y / screenHeight;
    return std::clamp(screen, 0, std::max(0, screenCount - 1));
}
