#include "programme/ui/CDotDisplay.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

const QColor CDotDisplay::kBoard(0x10, 0x10, 0x10);
const QColor CDotDisplay::kUnlit(0x2A, 0x2A, 0x2A);

CDotDisplay::CDotDisplay(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CDotDisplay::SetPicture(const CRasterSurface& picture)
{
    const bool resized = m_image.width() != picture.Width() || m_image.height() != picture.Height();
    if (resized) m_image = QImage(picture.Width(), picture.Height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.Height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const COLORREF* src = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x)
            row[x] = qRgb(GetRValue(src[x]), GetGValue(src[x]), GetBValue(src[x]));
    }
    if (resized) updateGeometry();
    update();
}

void CDotDisplay::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, 16);
    if (zoom == m_nZoom) return;
    m_nZoom = zoom;
    m_leds.clear();
    updateGeometry();
    setFixedSize(sizeHint());
    update();
}

QSize CDotDisplay::sizeHint() const { return m_image.size() * m_nZoom; }

const QPixmap& CDotDisplay::Led(QRgb color)
{
    auto it = m_leds.find(color);
    if (it != m_leds.end()) return *it;
    const int z = m_nZoom;
    QPixmap pix(z, z);
    pix.fill(kBoard);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(color & 0xFFFFFF) == Qt::black ? kUnlit : QColor(color));
    // A gap of about a quarter of the pitch between neighbours.
    const qreal gap = std::max(1.0, z / 4.0);
    p.drawEllipse(QRectF(gap / 2, gap / 2, z - gap, z - gap));
    p.end();
    return *m_leds.insert(color, pix);
}

void CDotDisplay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const int z = m_nZoom;
    if (z < kLedZoom) {
        // Square dots: the picture scaled without smoothing.
        painter.fillRect(event->rect(), Qt::black);
        painter.drawImage(QRect(QPoint(0, 0), m_image.size() * z), m_image);
        return;
    }
    painter.fillRect(event->rect(), kBoard);
    const QRect r = event->rect();
    const int x0 = std::max(0, r.left() / z), x1 = std::min(m_image.width(), r.right() / z + 1);
    const int y0 = std::max(0, r.top() / z), y1 = std::min(m_image.height(), r.bottom() / z + 1);
    for (int y = y0; y < y1; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(m_image.constScanLine(y));
        for (int x = x0; x < x1; ++x) painter.drawPixmap(x * z, y * z, Led(row[x] | 0xFF000000u));
    }
}
