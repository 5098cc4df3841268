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
    if (resized) {
        m_image = QImage(picture.Width(), picture.Height(), QImage::Format_RGB32);
        m_image.fill(Qt::black);
    }
    const bool leds = m_nZoom >= kLedZoom && !resized && !m_board.isNull();
    for (int y = 0; y < picture.Height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const COLORREF* src = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const QRgb c = qRgb(GetRValue(src[x]), GetGValue(src[x]), GetBValue(src[x]));
            if (row[x] == c) continue;
            row[x] = c;
            if (leds) DrawLed(x, y, c);
        }
    }
    if (resized) {
        RebuildBoard();
        setFixedSize(sizeHint());
        updateGeometry();
    }
    update();
}

void CDotDisplay::SetZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, 16);
    if (zoom == m_nZoom) return;
    m_nZoom = zoom;
    m_leds.clear();
    RebuildBoard();
    updateGeometry();
    setFixedSize(sizeHint());
    update();
}

QSize CDotDisplay::sizeHint() const { return m_image.size() * m_nZoom; }

const QImage& CDotDisplay::Led(QRgb color)
{
    auto it = m_leds.find(color);
    if (it != m_leds.end()) return *it;
    const int z = m_nZoom;
    QImage led(z, z, QImage::Format_RGB32);
    led.fill(kBoard);
    QPainter p(&led);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush((color & 0xFFFFFF) == 0 ? kUnlit : QColor(color));
    // A gap of about a quarter of the pitch between neighbours.
    const qreal gap = std::max(1.0, z / 4.0);
    p.drawEllipse(QRectF(gap / 2, gap / 2, z - gap, z - gap));
    p.end();
    return *m_leds.insert(color, led);
}

void CDotDisplay::DrawLed(int x, int y, QRgb color)
{
    const QImage& led = Led(color | 0xFF000000u);
    const int z = m_nZoom;
    for (int r = 0; r < z; ++r)
        std::copy_n(reinterpret_cast<const QRgb*>(led.constScanLine(r)), z,
                    reinterpret_cast<QRgb*>(m_board.scanLine(y * z + r)) + x * z);
}

void CDotDisplay::RebuildBoard()
{
    if (m_nZoom < kLedZoom || m_image.isNull()) {
        m_board = QImage();
        return;
    }
    m_board = QImage(m_image.size() * m_nZoom, QImage::Format_RGB32);
    for (int y = 0; y < m_image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(m_image.constScanLine(y));
        for (int x = 0; x < m_image.width(); ++x) DrawLed(x, y, row[x]);
    }
}

void CDotDisplay::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_image.isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    if (!m_board.isNull()) {
        painter.drawImage(event->rect(), m_board, event->rect());
        return;
    }
    // Square dots: the picture scaled without smoothing.
    painter.fillRect(event->rect(), Qt::black);
    painter.drawImage(QRect(QPoint(0, 0), m_image.size() * m_nZoom), m_image);
}
