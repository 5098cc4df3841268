#include "programme/PreviewStart.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"

std::unique_ptr<CPreviewPlayer> StartPreview(CVemtApp& app, const CVemtDoc& doc)
{
    const int height = app.m_nTPHeight * app.m_nTotalScreen;
    CRasterSurface canvas(app.m_nTPWidth, height);
    RenderRegion(doc.m_objects, canvas, app.m_nTPWidth, height);
    return std::make_unique<CPreviewPlayer>(app, canvas, doc.GetScreenCount());
}
