#pragma once
// The canvas of one document on black: the objects drawn once at one pixel per dot by the
// raster engine, exactly as the sign will show them, then magnified by the zoom factor,
// with the selection handles, the dot grid and the screen separator lines on top. The
// view keeps the selection, reports the mouse in the status bar and carries the editing
// commands (delete, select all, cancel, nudging, the context menus).

#include "document/IDrawView.h"
#include "editor/CSelection.h"
#include "raster/CRasterSurface.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QString>

#include <functional>

class CVemtApp;
class CVemtDoc;
class QLabel;
class QMenu;

class CVemtView : public QAbstractScrollArea, public IDrawView {
    Q_OBJECT
public:
    CVemtView(CVemtApp& app, CVemtDoc& doc, QWidget* parent = nullptr);
    ~CVemtView() override;

    CVemtDoc& GetDocument() const { return m_doc; }
    CVemtApp& App() const { return m_app; }

    // The status bar panes: mouse position, drag size, screen number.
    void SetStatusPanes(QLabel* coordinate, QLabel* dragSize, QLabel* screenNo);

    // Tools and selection handles work only in the active view.
    bool m_bActive = true;
    void SetActive(bool active);
    bool m_bGrid = false;
    bool m_bSeparateLine = false;
    bool m_bPolyActive = false;

    // Selection.
    CSelection& Selection() { return m_selection; }
    const CSelection& Selection() const { return m_selection; }
    // Empties the selection first unless bAdd; appends obj (if given and not selected);
    // renders with whatever update rectangle is pending when bRedraw.
    void SelectObj(CDrawObj* obj, bool bAdd = false, bool bRedraw = true);
    void DeselectObj(CDrawObj* obj);
    bool IsSelected(const CDrawObj* obj) const;
    // Selects every object touching the rectangle (client pixels), in document order.
    void SelectWithinRect(const CRect& clientRect, bool bAdd);
    // Each selected object gets a copy at the end of the document; the selection stays.
    void CloneSelection();

    // Commands.
    void OnEditDelete();
    void OnEditSelectAll();
    bool CanSelectAll() const;
    // The view's part of Clear: nothing selected any more, the whole area drawn again.
    void OnDocumentCleared();
    // Esc: leaves polyline drawing, cancels the current tool, returns to select mode;
    // in select mode it empties the selection.
    void OnCancel();
    void ToggleGrid();
    // The grid needs a dot at least 6 pixels wide; below that it is switched off.
    bool CanShowGrid() const;
    void ToggleSeparateLine();
    // The foreground and background colours given to every selected object.
    void ApplyColoursToSelection(COLORREF line, COLORREF fill);

    // Zoom: applies g_nZoomIndex (window size, scroll range, buffers) and renders.
    void OnZoomChanged();
    // Ctrl + right click: back to one pixel per dot.
    void ResetZoom();
    // The scroll position in pixels, a whole number of dots on both axes.
    CPoint GetScrollPosition() const;
    void ScrollToPosition(CPoint pixels);

    // Window pixels <-> canvas dots at the current factor and scroll position.
    CPoint DeviceToDots(CPoint pixel) const;
    CRect DeviceToDots(const CRect& pixels) const;
    CPoint DotsToDevice(CPoint dot) const;
    CRect DotsToDevice(const CRect& dots) const;

    // IDrawView
    CRect GetVisibleDotRect() const override;
    CPoint GetScrollDots() const override;
    int GetZoomFactor() const override;
    void RenderCanvas() override;
    void OnUpdate(IDrawView* sender, int hint, CDrawObj* obj, const std::vector<CDrawObj*>* list) override;
    void OnObjectRemoved(CDrawObj* obj) override;

    // The canvas at one pixel per dot (the visible part is current), and the magnified
    // picture the window shows.
    const CRasterSurface& Dots() const { return m_dots; }
    const QImage& ZoomedImage() const { return m_zoom; }
    // The dots the last render drew again (the pending update rectangle's share of the
    // visible area, or all of it).
    CRect LastRenderedDots() const { return m_rcLastRendered; }
    // Draws what OnUpdate left pending now rather than at the next paint.
    void FlushPendingUpdate();

    // Tools take over the canvas's mouse events when set: kind 0 press, 1 release,
    // 2 move, 3 double click; the point in window pixels. Returns true when handled;
    // otherwise the view's own select and character handling runs.
    enum class MouseEvent { Press, Release, Move, DoubleClick };
    using MouseHandler = std::function<bool(CVemtView& view, MouseEvent event,
                                            Qt::KeyboardModifiers keys, CPoint pixel)>;
    static void SetMouseHandler(MouseHandler handler);
    // Esc reaches the current tool through this, when set.
    static void SetCancelHandler(std::function<void(CVemtView& view)> handler);

    // The items of the right-click menus ("Convert this to BMP", "Invert X axis",
    // "Invert Y axis", "Change row spacing") stay disabled until their feature registers
    // here.
    static void RegisterContextCommand(const QString& text, std::function<void(CVemtView& view)> run);
    // The menu a right click opens for the current selection (nullptr for none); the
    // caller owns it. Exposed for tests.
    QMenu* BuildContextMenu(int clientY);
    // Client y of the last right click with nothing selected ("Convert this to BMP").
    int m_nContextMenuRow = 0;

    // The point of the last left-button press, in window pixels.
    CPoint m_ptMouseDown;

signals:
    // The character tool was used at a dot: a new text object there, or an existing one
    // to edit (double click).
    void NewTextAt(CVemtView* view, CPoint dot);
    void EditText(CVemtView* view, CDrawObj* textObj);
    // The selection changed (the frame refreshes its commands).
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QSize ViewportSize() const;
    // Makes the magnified picture the size of the window, black.
    void ResizeZoomBuffer();
    // The window and scroll bars for the current factor; keeps the top-left dot.
    void ApplyScrollSizes(int oldFactor);
    void MagnifyInto(const CRect& dots);
    void DrawOverlays(const QRect& clip);
    void UpdateStatus(CPoint pixel, Qt::MouseButtons buttons);
    void OnRightButtonUp(QMouseEvent* event);
    void Nudge(int key, Qt::KeyboardModifiers keys);
    void InvalidateDots(const CRect& dots);

    CVemtApp& m_app;
    CVemtDoc& m_doc;
    CSelection m_selection;
    CRasterSurface m_dots;  // the whole canvas at 1:1
    QImage m_zoom;          // the visible area at the zoom factor
    CRect m_rcLastRendered;
    CRect m_rcPendingDots;  // invalidated by OnUpdate, drawn at the next paint
    bool m_bPendingAll = false;
    bool m_bInScrollSnap = false;
    int m_nLastFactor = 1;
    QLabel* m_pCoordinate = nullptr;
    QLabel* m_pDragSize = nullptr;
    QLabel* m_pScreenNo = nullptr;
};
