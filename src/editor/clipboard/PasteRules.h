#pragma once
// What a paste makes of the clipboard, without any window: which of the offered forms
// wins, where a pasted picture goes and how large it is, what a pasted text becomes, and
// the undoable steps that add pasted or imported objects and mirror a picture.

#include "raster/Geometry.h"

#include <QImage>
#include <QString>

#include <memory>
#include <vector>

class CDrawObj;
class CDrawOleObj;
class CVemtDoc;
class IDrawView;
class QMimeData;

// The names of the steps in the Undo and Redo items.
inline constexpr const char* kStepPaste = "Paste";
inline constexpr const char* kStepCut = "Cut";
inline constexpr const char* kStepImport = "Import";
inline constexpr const char* kStepInvertX = "Invert X axis";
inline constexpr const char* kStepInvertY = "Invert Y axis";

enum class EPasteSource {
    None,     // nothing the canvas can take
    Objects,  // our own objects
    Picture,  // an image, and no text
    Text,     // text, even when an image is offered too
};
// Our own objects first; then, unless text is offered, a picture; then the text.
EPasteSource ChoosePasteSource(bool hasObjects, bool hasImage, bool hasText);
EPasteSource ChoosePasteSource(const QMimeData& data);

// Where a paste without a stored position goes: the client pixel (20, 20).
inline constexpr int kPasteClientX = 20;
inline constexpr int kPasteClientY = 20;
// The canvas dot under a client pixel of a view (its scroll position and zoom factor).
CPoint DotUnderClientPixel(const IDrawView& view, int clientX, int clientY);

// The clipboard's text as the text entry window receives it: each tab four spaces.
QString TextForEntryWindow(const QString& clipboardText);

// A picture's pixels as colour references, top row first. Transparent parts are laid
// over black, the colour of a dot that is off.
std::vector<COLORREF> PicturePixels(const QImage& image);

// A new picture object (not yet in a document) showing the image one dot per pixel with
// its top-left corner at `at`. None when the image is empty or larger than a picture may be.
std::unique_ptr<CDrawOleObj> MakePictureObject(const QImage& image, CPoint at, CVemtDoc* doc);

// Appends the objects to the document as one undoable step named `step`; gives back the
// objects as they are now in the document, in order (the new selection).
std::vector<CDrawObj*> AddObjectsAsStep(CVemtDoc& doc, std::vector<std::unique_ptr<CDrawObj>> objects,
                                        const QString& step);

// The one picture object of a selection; none when the selection is anything else.
CDrawOleObj* SinglePicture(const std::vector<CDrawObj*>& selection);

// Mirrors a picture: the left and right edges (xAxis) or the top and bottom exchanged,
// its area redrawn, one undoable step when the object is in a document. Twice restores.
void InvertPicture(CDrawOleObj& picture, bool xAxis);

// The screen (from 0) that holds canvas row y, for a sign of screens `screenHeight`
// rows high; rows beyond the canvas belong to its last screen.
int ScreenOfCanvasRow(int y, int screenHeight, int screenCount);
