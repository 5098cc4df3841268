#pragma once
// The window of one document: its canvas view, sized to the canvas up to 700 x 430
// pixels, with scroll bars beyond that. The window owns its document.

#include "app/ui/CQtMessageSink.h"
#include "document/ui/CQtFileDialogs.h"

#include <QScrollArea>

#include <memory>

class CDocumentFiles;
class CVemtApp;
class CVemtDoc;
class CVemtView;

class CChildFrame : public QScrollArea {
    Q_OBJECT
public:
    CChildFrame(CVemtApp& app, std::unique_ptr<CVemtDoc> doc, const QString& documentTitle,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

    // The size the window asks for: canvas + 4 up to the limits, plus a scroll bar's
    // room when only one direction scrolls.
    static QSize FrameSizeFor(int canvasWidth, int canvasHeight, int workAreaWidth,
                              int scrollBarExtent);

    CVemtDoc& Document() const { return *m_pDoc; }
    CVemtView* View() const { return m_pView; }
    // Open, save, clear and the questions before the content is dropped.
    CDocumentFiles& Files() const { return *m_pFiles; }
    // The window title follows the document's path.
    void UpdateTitle();


signals:
    void TitleChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<CVemtDoc> m_pDoc;
    CVemtView* m_pView;
    CQtMessageSink m_messages;
    CQtFileDialogs m_dialogs;
    std::unique_ptr<CDocumentFiles> m_pFiles;
};
