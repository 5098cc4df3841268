#include "editor/picture/PictureExport.h"

#include "document/CBmpFile.h"
#include "document/CCanvasExport.h"
#include "document/CFileBytes.h"

#include <string>

bool ExportCanvasBmp(const CVemtDoc& doc, const CVemtApp& app, int screen, const QString& path)
{
    const CRasterSurface picture =
        screen < 0 ? CCanvasExport::RenderCanvas(doc, app) : CCanvasExport::RenderScreen(doc, app, screen);
    const std::vector<std::uint8_t> bytes = CBmpFile::Encode24(picture);
    std::string error;
    return CFileBytes::WriteAtomically(path.toStdString(), bytes, error);
}
