#pragma once
// The window of one document: its canvas view, sized to the canvas up to 700 x 430
// pixels (560 x 340 on a 640-pixel-wide display), with scroll bars beyond that. It has no
// caption or border of its own and sits at the top-left of the main window. The window
// owns its document.

#include "app/ui/CQtMessageSink.h"
#include "document/ui/CQtFileDialogs.h"

#include <QWidget>

#include <memory>

class CDocumentFiles;
class CVemtApp;
class CVemtDoc;
class CVemtView;

class CChildFrame : public QWidget {
    Q_OBJECT
public:
    CChildFrame(CVemtApp& app, std::unique_ptr<CVemtDoc> doc, const QString& documentTitle,
                QWidget* parent = nullptr);
    ~CChildFrame() override;

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
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<CVemtDoc> m_pDoc;
    CVemtView* m_pView;
    CQtMessageSink m_messages;
    CQtFileDialogs m_dialogs;
    std::unique_ptr<CDocumentFiles> m_pFiles;
};
