#pragma once
// "Export..." and "Convert this to BMP": the canvas, or one screen of it, at one pixel
// per dot as a 24-bit bitmap file, written by the same writer as the command line's export.

#include <QString>

class CVemtApp;
class CVemtDoc;

// Bitmap file dialogs: the filter and the default extension.
inline constexpr const char* kBitmapFilter = "Bitmap file(*.bmp)";

// Writes the whole canvas (screen < 0) or one screen (from 0). False, and nothing
// written, when the file cannot be created; the old file is kept whole.
bool ExportCanvasBmp(const CVemtDoc& doc, const CVemtApp& app, int screen, const QString& path);
