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

// Line widths: five lines 1 to 5 pixels thick, top to bottom. Fill styles: three bars
// 12 pixels high, 19 apart: outline only, outline and fill, fill only.
constexpr int kWidthPitch = 15;
constexpr int kBarHeight = 12;
constexpr int kBarPitch = 19;

bool IsLineWidthMode(int mode)
{
    return mode == 6 || mode == 13;
}

bool IsFillStyleMode(int mode)
{
    return mode >= 9 && mode <= 12;
}

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

QRect CToolOptionWnd::OptionRect(int index) const
{
    if (IsLineWidthMode(m_nMode) && index >= 0 && index < 5)
        return {4, 6 + index * kWidthPitch, width() - 8, kWidthPitch - 2};
    if (IsFillStyleMode(m_nMode) && index >= 0 && index < 3)
        return {4, 8 + index * kBarPitch, width() - 8, kBarHeight};
    return {};
}

void CToolOptionWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (IsLineWidthMode(m_nMode)) {
        for (int i = 0; i < 5; ++i) {
            const QRect r = OptionRect(i);
            if (i == g_nLineWidth - 1) p.fillRect(r, palette().color(QPalette::Highlight));
            const int thickness = i + 1;
            p.fillRect(QRect(r.left() + 3, r.center().y() - thickness / 2, r.width() - 6, thickness),
                       i == g_nLineWidth - 1 ? palette().color(QPalette::HighlightedText) : QColor(Qt::black));
        }
        return;
    }
    if (IsFillStyleMode(m_nMode)) {
        for (int i = 0; i < 3; ++i) {
            const QRect r = OptionRect(i);
            if (i == g_nFillStyle) p.fillRect(r.adjusted(-2, -2, 2, 2), palette().color(QPalette::Highlight));
            const QRect bar = r.adjusted(2, 1, -2, -1);
            // Outline in black, fill in grey, as the three fill modes draw.
            if (i != 0) p.fillRect(bar, QColor(128, 128, 128));
            if (i != 2) {
                p.setPen(Qt::black);
                p.drawRect(bar.adjusted(0, 0, -1, -1));
            }
        }
        return;
    }
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
    if (event->button() != Qt::LeftButton) return;
    if (IsLineWidthMode(m_nMode) || IsFillStyleMode(m_nMode)) {
        for (int i = 0; i < 5; ++i) {
            if (!OptionRect(i).contains(event->position().toPoint())) continue;
            emit OptionPicked(i);
            update();
            return;
        }
        return;  // a click outside the options changes nothing
    }
    if (m_nMode != kDrawModeZoom) return;
    for (int level = 0; level < kZoomLevels; ++level) {
        if (!ZoomOptionRect(level).contains(event->position().toPoint())) continue;
        hide();
        emit ZoomPicked(level);
        return;
    }
}
