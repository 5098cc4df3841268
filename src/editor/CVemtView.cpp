#include "editor/CVemtView.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

CVemtView::CVemtView(CVemtApp& app, CVemtDoc& doc, QWidget* parent)
    : QWidget(parent), m_app(app), m_doc(doc)
{
    setFixedSize(app.m_nTPWidth, app.m_nTPHeight * app.m_nTotalScreen);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_doc.AddView(this);
    RenderCanvas();
}

CVemtView::~CVemtView()
{
    m_doc.RemoveView(this);
}

void CVemtView::SetStatusPanes(QLabel* coordinate, QLabel* screenNo)
{
    m_pCoordinate = coordinate;
    m_pScreenNo = screenNo;
}

CRect CVemtView::GetVisibleDotRect() const
{
    const QRect r = visibleRegion().boundingRect();
    if (r.isEmpty()) return CRect(0, 0, width(), height());
    return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void CVemtView::RenderCanvas()
{
    const int w = m_app.m_nTPWidth;
    const int h = m_app.m_nTPHeight * m_app.m_nTotalScreen;
    if (m_dots.Width() != w || m_dots.Height() != h) m_dots = CRasterSurface(w, h);
    RenderRegion(m_doc.m_objects, m_dots, w, h, this);

    // The surface holds 0x00BBGGRR; the window wants 0xAARRGGBB.
    m_image = QImage(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const COLORREF* src = m_dots.Row(y);
        auto* dst = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = 0; x < w; ++x) dst[x] = qRgb(GetRValue(src[x]), GetGValue(src[x]), GetBValue(src[x]));
    }
    update();
}

void CVemtView::OnUpdate(IDrawView*, int, CDrawObj*, const std::vector<CDrawObj*>*)
{
    RenderCanvas();
}

void CVemtView::ToggleSeparateLine()
{
    m_bSeparateLine = !m_bSeparateLine;
    update();
}

void CVemtView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_image, event->rect());
    if (m_bSeparateLine && m_app.m_nTPHeight > 0) {
        // Drawn inverting, so a line stays visible over lit dots.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QColor(0, 128, 255));
        for (int y = m_app.m_nTPHeight; y < height(); y += m_app.m_nTPHeight)
            painter.drawLine(0, y, width() - 1, y);
    }
}

void CVemtView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_pCoordinate) m_pCoordinate->setText(QStringLiteral("(x=%1,y=%2)").arg(p.x()).arg(p.y()));
    if (m_pScreenNo && m_app.m_nTPHeight > 0)
        m_pScreenNo->setText(QStringLiteral("The %1th Screen").arg(ScreenOfRow(p.y(), m_app.m_nTPHeight)));
    QWidget::mouseMoveEvent(event);
}

void CVemtView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && g_nDrawMode == kDrawModeCharacter)
        emit NewTextAt(this, CPoint(p.x(), p.y()));
    QWidget::mousePressEvent(event);
}

void CVemtView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click on a text object opens it in the text entry window.
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        CDrawObj* obj = m_doc.ObjectAt(CPoint(p.x(), p.y()));
        if (obj && obj->m_nKind == kKindText) emit EditText(this, obj);
    }
    QWidget::mouseDoubleClickEvent(event);
}
