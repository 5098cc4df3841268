#pragma once
// The small tool options window beside the canvas: for the tools that have options it
// shows them and marks the current one. One window for the whole run, hidden while the
// current tool has no options. The zoom levels live here ("Zoom Mode").

#include <QWidget>

class CToolOptionWnd : public QWidget {
    Q_OBJECT
public:
    explicit CToolOptionWnd(QWidget* parent = nullptr);

    // The caption for a drawing mode with options; empty for one without.
    static QString CaptionForMode(int mode);
    // Follows a change of the drawing mode: takes its caption and shows itself for a mode
    // with options, hides itself otherwise.
    void ShowForMode(int mode);

    // The zoom levels "1x", "2x", "6x", "8x", top to bottom.
    static constexpr int kZoomLevels = 4;
    QRect ZoomOptionRect(int level) const;

    // The five line widths (modes 6 and 13) and the three fill styles (modes 9 to 12):
    // where option `index` of the current mode's set lies; empty for none.
    QRect OptionRect(int index) const;

signals:
    // A zoom level was clicked (the window has hidden itself).
    void ZoomPicked(int level);
    // A line width or fill style was clicked: option `index` of the current mode's set.
    void OptionPicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int m_nMode = -1;
};
