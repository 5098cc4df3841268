#include "editor/CChildFrame.h"

#include "app/CVemtApp.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

CChildFrame::CChildFrame(CVemtApp& app, std::unique_ptr<CVemtDoc> doc, const QString& documentTitle,
                         QWidget* parent)
    : QScrollArea(parent), m_pDoc(std::move(doc)), m_pView(new CVemtView(app, *m_pDoc))
{
    setWidget(m_pView);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setBackgroundRole(QPalette::Window);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int workWidth = screen ? screen->availableGeometry().width() : 1024;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(FrameSizeFor(app.m_nTPWidth, app.m_nTPHeight * app.m_nTotalScreen, workWidth, bar));
    SetDocumentTitle(documentTitle);
}

CChildFrame::~CChildFrame()
{
    delete takeWidget();  // the view goes before the document it shows
}

QString CChildFrame::ShownTitle(const QString& title)
{
    if (title == QLatin1String("Kvx.111") || title == QLatin1String("Vemt1"))
        return QStringLiteral("LED Lextrel Software");
    return QStringLiteral("LED Lextrel Software(%1)").arg(title);
}

void CChildFrame::SetDocumentTitle(const QString& title)
{
    setWindowTitle(ShownTitle(title));
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
