#include "editor/clipboard/ClipboardCommands.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/IMessageSink.h"
#include "app/ui/CQtMessageSink.h"
#include "document/CDocumentFiles.h"
#include "document/CDrawItem.h"
#include "document/CDrawOleObj.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CTextEdit.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CVemtView.h"
#include "editor/DrawModeChange.h"
#include "editor/MenuCommands.h"
#include "editor/clipboard/ClipboardPayload.h"
#include "editor/clipboard/PasteRules.h"
#include "editor/picture/PictureExport.h"
#include "editor/picture/PictureImport.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

namespace {
void LeaveDrawingMode()
{
    if (g_nDrawMode != kDrawModeSelect) ReturnToSelectMode();
}

void SelectAdded(CVemtView& view, const std::vector<CDrawObj*>& added)
{
    view.SelectObj(nullptr, false, false);
    for (CDrawObj* obj : added) view.SelectObj(obj, true, false);
    view.RenderCanvas();
}

// The picture of an item as an image, for other programs.
QImage ImageOf(const CDrawItem& item)
{
    QImage image(item.PictureWidth(), item.PictureHeight(), QImage::Format_RGB32);
    const std::vector<COLORREF>& pixels = item.Pixels();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const COLORREF c = pixels[std::size_t(y) * std::size_t(image.width()) + std::size_t(x)];
            row[x] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        }
    }
    return image;
}

// The text entry window the character tool opened (a window of its own, or the frame's).
CTextEntryDlg* OpenTextEntry(CMainFrame& frame)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* entry = qobject_cast<CTextEntryDlg*>(w); entry && entry->isVisible() && entry->m_pTextObj)
            return entry;
    auto* entry = frame.findChild<CTextEntryDlg*>();
    return entry && entry->m_pTextObj ? entry : nullptr;
}

CPoint PastePosition(CVemtView& view) { return view.DeviceToDots(CPoint(kPasteClientX, kPasteClientY)); }

bool AddPicture(CVemtView& view, const QImage& image, const char* step)
{
    CVemtDoc& doc = view.GetDocument();
    std::unique_ptr<CDrawOleObj> obj = MakePictureObject(image, PastePosition(view), &doc);
    if (!obj) return false;
    std::vector<std::unique_ptr<CDrawObj>> list;
    list.push_back(std::move(obj));
    SelectAdded(view, AddObjectsAsStep(doc, std::move(list), QString::fromLatin1(step)));
    return true;
}

QString ChooseBitmapToSave(QWidget* owner)
{
    QFileDialog dialog(owner, QString::fromLatin1(kExportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QString::fromLatin1(kBitmapFilter));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.selectFile(QStringLiteral("*.bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString ChoosePictureToOpen(QWidget* owner)
{
    QFileDialog dialog(owner, QString::fromLatin1(kImportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(PictureImportFilters());
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
}  // namespace

void CopySelection(CVemtView& view)
{
    LeaveDrawingMode();
    const std::vector<CDrawObj*>& selected = view.Selection().Objects();
    if (selected.empty()) return;
    auto* data = new QMimeData;
    const std::vector<std::uint8_t> bytes = EncodeClipboardObjects(selected, &view.GetDocument());
    data->setData(QString::fromLatin1(kKvxPaintMimeType),
                  QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    // One picture alone is offered as an image too, for other programs.
    if (CDrawOleObj* picture = SinglePicture(selected); picture && picture->m_pClientItem &&
                                                         picture->m_pClientItem->HasPicture())
        data->setImageData(ImageOf(*picture->m_pClientItem));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CutSelection(CVemtView& view)
{
    if (view.Selection().IsEmpty()) return;
    CopySelection(view);
    view.OnEditDelete();
}

bool ClipboardCanPaste()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && ChoosePasteSource(*data) != EPasteSource::None;
}

void PasteClipboard(CMainFrame& frame, CVemtView& view, IMessageSink& messages)
{
    LeaveDrawingMode();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    view.SelectObj(nullptr, false, false);
    switch (ChoosePasteSource(*data)) {
    case EPasteSource::Objects: {
        const QByteArray block = data->data(QString::fromLatin1(kKvxPaintMimeType));
        CClipboardObjects read = DecodeClipboardObjects(
            std::span(reinterpret_cast<const std::uint8_t*>(block.constData()), std::size_t(block.size())),
            &view.GetDocument());
        if (!read.Ok()) {
            messages.ShowMessage(read.m_szError, CDocumentFiles::kMessageCaption, MessageButtons::Ok,
                                 MessageIcon::Information);
            break;
        }
        SelectAdded(view, AddObjectsAsStep(view.GetDocument(), std::move(read.m_objects),
                                           QString::fromLatin1(kStepPaste)));
        break;
    }
    case EPasteSource::Picture:
        AddPicture(view, data->imageData().value<QImage>(), kStepPaste);
        break;
    case EPasteSource::Text: {
        const QString text = TextForEntryWindow(data->text());
        // A new text object at the paste position, as the character tool makes one,
        // with the clipboard's text waiting in the entry window.
        emit view.NewTextAt(&view, PastePosition(view));
        if (CTextEntryDlg* entry = OpenTextEntry(frame)) {
            entry->TextEdit()->setPlainText(text);
            entry->TextEdit()->moveCursor(QTextCursor::End);
        }
        break;
    }
    case EPasteSource::None:
        break;
    }
    view.RenderCanvas();
}

bool ImportPictureFile(CVemtView& view, const QString& path, IMessageSink& messages)
{
    const CPictureReadResult read = ReadPictureFile(path);
    if (!read.Ok() || !AddPicture(view, read.m_image, kStepImport)) {
        messages.ShowMessage(kImportError, CDocumentFiles::kMessageCaption, MessageButtons::Ok,
                             MessageIcon::Information);
        return false;
    }
    return true;
}

bool ExportCanvasFile(CVemtView& view, const QString& path)
{
    return ExportCanvasBmp(view.GetDocument(), view.App(), -1, path);
}

bool ExportScreenFile(CVemtView& view, int clientY, const QString& path)
{
    const CVemtApp& app = view.App();
    const int row = view.DeviceToDots(CPoint(0, clientY)).y;
    return ExportCanvasBmp(view.GetDocument(), app, ScreenOfCanvasRow(row, app.m_nTPHeight, app.m_nTotalScreen),
                           path);
}

bool InvertSelectedPicture(CVemtView& view, bool xAxis)
{
    CDrawOleObj* picture = SinglePicture(view.Selection().Objects());
    if (!picture) return false;
    InvertPicture(*picture, xAxis);
    view.RenderCanvas();
    return true;
}

void InstallClipboardCommands(CMainFrame& frame)
{
    QMenuBar* bar = frame.menuBar();
    auto view = [&frame]() -> CVemtView* {
        CChildFrame* child = frame.ActiveChild();
        return child ? child->View() : nullptr;
    };
    auto hasSelection = [view] { return view() && !view()->Selection().IsEmpty(); };

    WireMenuCommand(bar, QStringLiteral("Copy(&C)"), [view] { if (CVemtView* v = view()) CopySelection(*v); },
                    hasSelection);
    WireMenuCommand(bar, QStringLiteral("Cut(&T)"), [view] { if (CVemtView* v = view()) CutSelection(*v); },
                    hasSelection);
    WireMenuCommand(bar, QStringLiteral("Paste(&P)"), [&frame, view] {
        CQtMessageSink messages(&frame);
        if (CVemtView* v = view()) PasteClipboard(frame, *v, messages);
    }, [view] { return view() && ClipboardCanPaste(); });
    WireMenuCommand(bar, QStringLiteral("Import..."), [&frame, view] {
        CVemtView* v = view();
        if (!v) return;
        const QString path = ChoosePictureToOpen(&frame);
        CQtMessageSink messages(&frame);
        if (!path.isEmpty()) ImportPictureFile(*v, path, messages);
    }, [view] { return view() != nullptr; });
    WireMenuCommand(bar, QStringLiteral("Export..."), [&frame, view] {
        CVemtView* v = view();
        if (!v) return;
        const QString path = ChooseBitmapToSave(&frame);
        if (!path.isEmpty()) ExportCanvasFile(*v, path);
    }, [view] { return view() != nullptr; });

    CVemtView::RegisterContextCommand(QStringLiteral("Convert this to BMP"), [](CVemtView& v) {
        const QString path = ChooseBitmapToSave(v.window());
        if (!path.isEmpty()) ExportScreenFile(v, v.m_nContextMenuRow, path);
    });
    CVemtView::RegisterContextCommand(QStringLiteral("Invert X axis"),
                                      [](CVemtView& v) { InvertSelectedPicture(v, true); });
    CVemtView::RegisterContextCommand(QStringLiteral("Invert Y axis"),
                                      [](CVemtView& v) { InvertSelectedPicture(v, false); });
}
