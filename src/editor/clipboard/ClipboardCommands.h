#pragma once
// The Edit menu's clipboard items, "Import..." and "Export..." of the File menu, and the
// canvas's right-click "Convert this to BMP", "Invert X axis" and "Invert Y axis".
// The commands are functions of a view so that tests run them without dialogs; the menu
// items add the dialogs around them.

#include <QString>

#include <string>

class CMainFrame;
class CVemtView;
class IMessageSink;

// The dialogs' titles and the message of a refused picture.
inline constexpr const char* kImportTitle = "Open *.Bmp file";
inline constexpr const char* kExportTitle = "Save as *.bmp file";
inline constexpr const char* kImportError = "Error";

// Puts the view's selection on the clipboard ("KVX Paint", and a single picture's image).
void CopySelection(CVemtView& view);
// Copy, then Delete.
void CutSelection(CVemtView& view);
// True when the clipboard holds something Paste can take.
bool ClipboardCanPaste();
// Pastes what the clipboard offers: our objects at their stored positions, else text
// through the text entry window, else a picture at the dot under client pixel (20, 20).
// A damaged block of objects is reported through `messages` and nothing is pasted.
void PasteClipboard(CMainFrame& frame, CVemtView& view, IMessageSink& messages);

// Imports a picture file as a picture object, one dot per pixel, at the paste position;
// a file that cannot be read gives the message "Error" and nothing else. True when imported.
bool ImportPictureFile(CVemtView& view, const QString& path, IMessageSink& messages);
// Writes the whole canvas, or the screen holding the client row `clientY` of the last
// right click, as a 24-bit bitmap file.
bool ExportCanvasFile(CVemtView& view, const QString& path);
bool ExportScreenFile(CVemtView& view, int clientY, const QString& path);
// Mirrors the one selected picture. False when the selection is not one picture.
bool InvertSelectedPicture(CVemtView& view, bool xAxis);

// Wires the items to the active document's view.
void InstallClipboardCommands(CMainFrame& frame);
