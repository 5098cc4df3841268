#pragma once
// The colour palette docked below the canvas: a box showing the current foreground
// colour over the background colour, and the sign's colours as swatches in two rows.
// A left click on a swatch picks the foreground colour, a right click the background.

#include "raster/Geometry.h"

#include <QToolBar>

#include <vector>

// The swatches for a sign with this many colours: black and red for one colour; black,
// red, green and yellow for two; a wider set for any other count.
std::vector<COLORREF> PaletteColours(int colorCount);

class CPaletteWidget : public QWidget {
    Q_OBJECT
public:
    CPaletteWidget(int colorCount, QWidget* parent = nullptr);

    const std::vector<COLORREF>& Colours() const { return m_colours; }
    // The swatch rectangle of colour i, in widget pixels.
    QRect SwatchRect(int i) const;
    QRect ColourBox() const;
    // Index of the swatch under a point; -1 outside every swatch.
    int SwatchAt(QPoint p) const;

    QSize sizeHint() const override;

signals:
    // g_crForeground or g_crBackground has just been set from a swatch.
    void ColourPicked(bool foreground);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::vector<COLORREF> m_colours;
};

class CPaletteBar : public QToolBar {
    Q_OBJECT
public:
    CPaletteBar(int colorCount, QWidget* parent = nullptr);
    CPaletteWidget* Palette() const { return m_pPalette; }

private:
    CPaletteWidget* m_pPalette;
};
