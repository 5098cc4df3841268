#pragma once
// Shows a sign's picture at a whole number of window pixels per dot: plain square
// pixels at x1 and x2, and from x4 on round LEDs on a dark board, unlit ones faintly
// visible, as a sign looks from the street.

#include "raster/CRasterSurface.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QWidget>

class CDotDisplay : public QWidget {
    Q_OBJECT
public:
    explicit CDotDisplay(QWidget* parent = nullptr);

    // The picture to show; the display keeps its own copy.
    void SetPicture(const CRasterSurface& picture);
    void SetZoom(int zoom);
    int Zoom() const { return m_nZoom; }
    // The picture as shown now, one pixel per dot.
    const QImage& Picture() const { return m_image; }

    // From this zoom on dots are drawn as LEDs.
    static constexpr int kLedZoom = 4;
    static const QColor kBoard;
    static const QColor kUnlit;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage& Led(QRgb color);
    void DrawLed(int x, int y, QRgb color);
    void RebuildBoard();

    QImage m_image;
    int m_nZoom = 1;
    QHash<QRgb, QImage> m_leds;  // one drawn LED per colour at the current zoom
    // From x4 on: the whole board as shown. A new picture only redraws the dots that
    // changed, so a frame costs little more than the dots that move.
    QImage m_board;
};
