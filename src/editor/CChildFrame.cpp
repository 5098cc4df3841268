#include "editor/CChildFrame.h"

#include "app/CVemtApp.h"
#include "document/CDocumentFiles.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

CChildFrame::CChildFrame(CVemtApp& app, std::unique_ptr<CVemtDoc> doc, const QString& documentTitle,
                         QWidget* parent)
    : QScrollArea(parent), m_pDoc(std::move(doc)), m_pView(new CVemtView(app, *m_pDoc)),
      m_messages(this), m_dialogs(this),
      m_pFiles(std::make_unique<CDocumentFiles>(*m_pDoc, app, m_messages, m_dialogs, documentTitle.toStdString()))
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
    UpdateTitle();
}

CChildFrame::~CChildFrame()
{
    m_pFiles.reset();
    delete takeWidget();  // the view goes before the document it shows
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(QString::fromStdString(m_pFiles->GetDisplayTitle()));
    emit TitleChanged();
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the document's window asks about unsaved changes first.
    if (watched == parentWidget() && event->type() == QEvent::Close && !m_pFiles->SaveModified()) {
        event->ignore();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
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
