#include "editor/CChildFrame.h"

#include "app/CVemtApp.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

// The canvas itself until the canvas view exists: black, one pixel per dot.
QWidget* MakeBlankCanvas(int width, int height, QWidget* parent)
{
    auto* canvas = new QWidget(parent);
    canvas->setFixedSize(width, height);
    canvas->setAutoFillBackground(true);
    QPalette p = canvas->palette();
    p.setColor(QPalette::Window, Qt::black);
    canvas->setPalette(p);
    return canvas;
}

}  // namespace

CChildFrame::CChildFrame(CVemtApp& app, const QString& documentTitle, QWidget* parent)
    : QScrollArea(parent), m_szTitle(documentTitle)
{
    const int width = app.m_nTPWidth;
    const int height = app.m_nTPHeight * app.m_nTotalScreen;
    setWidget(MakeBlankCanvas(width, height, this));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setBackgroundRole(QPalette::Window);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int workWidth = screen ? screen->availableGeometry().width() : 1024;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(FrameSizeFor(width, height, workWidth, bar));
    setWindowTitle(documentTitle);
}

QSize CChildFrame::FrameSizeFor(int canvasWidth, int canvasHeight, int workAreaWidth,
                                int scrollBarExtent)
{
    const bool small = workAreaWidth == 640;
    const int maxWidth = small ? 560 : 700;
    const int maxHeight = small ? 340 : 430;
    const bool hScroll = canvasWidth + 4 > maxWidth;
    const bool vScroll = canvasHeight + 4 > maxHeight;
    int w = hScroll ? maxWidth : canvasWidth + 4;
    int h = vScroll ? maxHeight : canvasHeight + 4;
    if (hScroll && !vScroll) h += scrollBarExtent + 1;
    if (vScroll && !hScroll) w += scrollBarExtent + 1;
    return {w, h};
}
