#include "editor/CPaletteBar.h"

#include "app/EditorState.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kMargin = 4;        // around the box and swatches inside the bar
constexpr int kBoxWidth = 30;
constexpr int kBoxHeight = 31;
constexpr int kSwatch = 15;       // swatch width and row height
constexpr int kSwatchGap = 1;

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

}  // namespace

std::vector<COLORREF> PaletteColours(int colorCount)
{
    switch (colorCount) {
    case 1: return {RGB(0, 0, 0), RGB(255, 0, 0)};
    case 2: return {RGB(0, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)};
    default:
        return {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0), RGB(255, 128, 0),
                RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0), RGB(0, 0, 0)};
    }
}

CPaletteWidget::CPaletteWidget(int colorCount, QWidget* parent)
    : QWidget(parent), m_colours(PaletteColours(colorCount))
{
    setAccessibleName(QStringLiteral("Palette"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QRect CPaletteWidget::ColourBox() const
{
    return {kMargin, kMargin, kBoxWidth, kBoxHeight};
}

QRect CPaletteWidget::SwatchRect(int i) const
{
    // First half of the list in the top row, the rest below it.
    const int perRow = int(m_colours.size() + 1) / 2;
    const int row = i < perRow ? 0 : 1;
    const int col = i - row * perRow;
    return {kMargin + kBoxWidth + 4 + col * (kSwatch + kSwatchGap), kMargin + row * (kSwatch + 1), kSwatch, kSwatch};
}

int CPaletteWidget::SwatchAt(QPoint p) const
{
    for (int i = 0; i < int(m_colours.size()); ++i)
        if (SwatchRect(i).contains(p)) return i;
    return -1;
}

QSize CPaletteWidget::sizeHint() const
{
    const QRect last = SwatchRect(int(m_colours.size()) - 1).united(SwatchRect((int(m_colours.size()) + 1) / 2 - 1));
    return {last.right() + 1 + kMargin, kMargin * 2 + kBoxHeight};
}

void CPaletteWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The current colours: the background square behind the foreground square.
    const QRect box = ColourBox();
    p.fillRect(box, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    const QRect back(box.left() + 11, box.top() + 12, 14, 14);
    const QRect fore(box.left() + 4, box.top() + 5, 14, 14);
    for (const auto& [r, c] : {std::pair{back, g_crBackground}, std::pair{fore, g_crForeground}}) {
        p.fillRect(r, ToQColor(c));
        p.setPen(Qt::white);
        p.drawRect(r.adjusted(-1, -1, 0, 0));
        p.setPen(Qt::gray);
        p.drawRect(r.adjusted(-2, -2, 1, 1));
    }
    for (int i = 0; i < int(m_colours.size()); ++i) {
        const QRect r = SwatchRect(i);
        p.fillRect(r, ToQColor(m_colours[std::size_t(i)]));
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

void CPaletteWidget::mousePressEvent(QMouseEvent* event)
{
    const int i = SwatchAt(event->position().toPoint());
    if (i < 0 || (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)) {
        QWidget::mousePressEvent(event);
        return;
    }
    const bool foreground = event->button() == Qt::LeftButton;
    (foreground ? g_crForeground : g_crBackground) = m_colours[std::size_t(i)];
    update();
    emit ColourPicked(foreground);
}

void CPaletteWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The press before it already picked the colour.
    if (SwatchAt(event->position().toPoint()) < 0) QWidget::mouseDoubleClickEvent(event);
}

CPaletteBar::CPaletteBar(int colorCount, QWidget* parent)
    : QToolBar(QStringLiteral("Palette"), parent), m_pPalette(new CPaletteWidget(colorCount, this))
{
    setObjectName(QStringLiteral("Palette"));
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addWidget(m_pPalette);
}
