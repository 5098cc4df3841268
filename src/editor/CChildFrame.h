#pragma once
// The window of one document: the canvas at one pixel per dot on black, sized to the
// canvas up to 700 x 430 pixels, with scroll bars beyond that.

#include <QScrollArea>

class CVemtApp;

class CChildFrame : public QScrollArea {
    Q_OBJECT
public:
    CChildFrame(CVemtApp& app, const QString& documentTitle, QWidget* parent = nullptr);

    // The size the window asks for: canvas + 4 up to the limits, plus a scroll bar's
    // room when only one direction scrolls.
    static QSize FrameSizeFor(int canvasWidth, int canvasHeight, int workAreaWidth,
                              int scrollBarExtent);

    QString DocumentTitle() const { return m_szTitle; }

private:
    QString m_szTitle;
};
