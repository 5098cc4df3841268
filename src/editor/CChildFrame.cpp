#include "editor/CChildFrame.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDocumentFiles.h"
#include "document/CVemtDoc.h"
#include "editor/CVemtView.h"
#include "editor/ZoomLayout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

CChildFrame::CChildFrame(CVemtApp& app, std::unique_ptr<CVemtDoc> doc, const QString& documentTitle,
                         QWidget* parent)
    : QWidget(parent), m_pDoc(std::move(doc)), m_pView(new CVemtView(app, *m_pDoc, this)),
      m_messages(this), m_dialogs(this),
      m_pFiles(std::make_unique<CDocumentFiles>(*m_pDoc, app, m_messages, m_dialogs, documentTitle.toStdString()))
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int workWidth = screen ? screen->availableGeometry().width() : 1024;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // Made at one pixel per dot; a zoomed editor re-sizes it when the view applies the zoom.
    const CZoomLayout layout = ComputeCreationLayout(app.m_nTPWidth, app.m_nTPHeight, app.m_nTotalScreen,
                                                     VisibleAreaLimits(workWidth), bar, bar);
    resize(layout.m_nFrameWidth, layout.m_nFrameHeight);
    if (g_nZoomIndex != 0) m_pView->OnZoomChanged();
    setFocusProxy(m_pView);
    UpdateTitle();
}

CChildFrame::~CChildFrame()
{
    m_pFiles.reset();
    delete m_pView;  // the view goes before the document it shows
    m_pView = nullptr;
}

void CChildFrame::UpdateTitle()
{
    setWindowTitle(QString::fromStdString(m_pFiles->GetDisplayTitle()));
    emit TitleChanged();
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_pView) m_pView->setGeometry(rect());
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the document's window asks about unsaved changes first.
    if (watched == parentWidget() && event->type() == QEvent::Close && !m_pFiles->SaveModified()) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
