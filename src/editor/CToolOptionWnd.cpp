#include "editor/CToolOptionWnd.h"

#include "app/EditorState.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kDrawModeZoom = 8;
constexpr int kOptionSize = 16;   // a 12 x 12 label with room for its frame
constexpr int kOptionGap = 3;
constexpr int kWidth = 40;

const char* const kZoomLabels[] = {"1x", "2x", "6x", "8x"};

}  // namespace

CToolOptionWnd::CToolOptionWnd(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setFixedSize(kWidth, 8 + CToolOptionWnd::kZoomLevels * (kOptionSize + kOptionGap) + 4);
}

QString CToolOptionWnd::CaptionForMode(int mode)
{
    switch (mode) {
    case 6: return QStringLiteral("Line Mode");
    case 8: return QStringLiteral("Zoom Mode");
    case 9: return QStringLiteral("Rect Mode");
    case 10: return QStringLiteral("Round Rect Mode");
    case 11: return QStringLiteral("Circle Mode");
    case 12: return QStringLiteral("PolyLine Mode");
    case 13: return QStringLiteral("Arc Mode");
    default: return {};
    }
}

void CToolOptionWnd::ShowForMode(int mode)
{
    m_nMode = mode;
    const QString caption = CaptionForMode(mode);
    if (caption.isEmpty()) {
        hide();
        return;
    }
    setWindowTitle(caption);
    update();
    if (!isVisible()) show();
}

QRect CToolOptionWnd::ZoomOptionRect(int level) const
{
    return {(width() - kOptionSize) / 2, 8 + level * (kOptionSize + kOptionGap), kOptionSize, kOptionSize};
}

void CToolOptionWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (m_nMode != kDrawModeZoom) return;
    QFont font(QStringLiteral("Unifont"));
    font.setPixelSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    for (int level = 0; level < kZoomLevels; ++level) {
        const QRect r = ZoomOptionRect(level);
        const bool current = level == g_nZoomIndex;
        if (current) {
            // The current level in white inside a frame.
            p.fillRect(r, palette().color(QPalette::Highlight));
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            p.setPen(Qt::white);
        } else {
            p.setPen(Qt::black);
        }
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(kZoomLabels[level]));
    }
}

void CToolOptionWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_nMode != kDrawModeZoom) return;
    for (int level = 0; level < kZoomLevels; ++level) {
        if (!ZoomOptionRect(level).contains(event->position().toPoint())) continue;
        hide();
        emit ZoomPicked(level);
        return;
    }
}
