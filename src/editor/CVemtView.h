#pragma once
// The canvas of one document on black, one pixel per dot: the document's objects drawn
// by the raster engine exactly as the sign will show them, with optional screen
// separator lines, and the mouse position reported in the status bar.

#include "document/IDrawView.h"
#include "raster/CRasterSurface.h"

#include <QImage>
#include <QWidget>

class CVemtApp;
class CVemtDoc;
class QLabel;

class CVemtView : public QWidget, public IDrawView {
    Q_OBJECT
public:
    CVemtView(CVemtApp& app, CVemtDoc& doc, QWidget* parent = nullptr);
    ~CVemtView() override;

    CVemtDoc& GetDocument() const { return m_doc; }

    // The status bar panes for the mouse position and its screen number.
    void SetStatusPanes(QLabel* coordinate, QLabel* screenNo);

    bool m_bSeparateLine = false;
    void ToggleSeparateLine();

    // IDrawView
    CRect GetVisibleDotRect() const override;
    CPoint GetScrollDots() const override { return {0, 0}; }
    int GetZoomFactor() const override { return 1; }
    void RenderCanvas() override;
    void OnUpdate(IDrawView* sender, int hint, CDrawObj* obj, const std::vector<CDrawObj*>* list) override;
    void OnObjectRemoved(CDrawObj*) override {}

    // The rendered canvas, as the sign's dots.
    const CRasterSurface& Dots() const { return m_dots; }

signals:
    // The character tool was used at a dot: a new text object there, or an existing one
    // to edit (double click).
    void NewTextAt(CVemtView* view, CPoint dot);
    void EditText(CVemtView* view, CDrawObj* textObj);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CVemtApp& m_app;
    CVemtDoc& m_doc;
    CRasterSurface m_dots;
    QImage m_image;
    QLabel* m_pCoordinate = nullptr;
    QLabel* m_pScreenNo = nullptr;
};
