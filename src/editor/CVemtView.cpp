#include "editor/CVemtView.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "editor/DrawModeChange.h"
#include "editor/ZoomLayout.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CObjectsCommand.h"
#include "editor/undo/UndoTexts.h"
#include "raster/CRasterDC.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

CVemtView::MouseHandler& MouseHandlerSlot()
{
    static CVemtView::MouseHandler handler;
    return handler;
}

std::function<void(CVemtView&)>& CancelHandlerSlot()
{
    static std::function<void(CVemtView&)> handler;
    return handler;
}

std::map<QString, std::function<void(CVemtView&)>>& ContextCommands()
{
    static std::map<QString, std::function<void(CVemtView&)>> commands;
    return commands;
}

// Drawing modes whose left-button drags report their size in the status bar.
bool ReportsDragSize(int mode, bool polyActive)
{
    switch (mode) {
    case 2: case 6: case 9: case 10: case 13: return true;
    case 12: return polyActive;
    default: return false;
    }
}

constexpr int kDrawModeEyeDrop = 7;
constexpr int kDrawModePolyLine = 12;

// The dots an object may have lit: its rectangle, and for a text the lines it moved down
// to the next screen.
CRect DrawnArea(CDrawObj* obj)
{
    CRect r = obj->m_rcPosition.Normalized();
    if (r.left == r.right) r.right += 1;
    if (r.top == r.bottom) r.bottom += 1;
    if (obj->m_nKind == kKindText)
        if (auto* text = dynamic_cast<CDrawFont*>(obj)) r.bottom = std::max(r.bottom, text->m_nDrawnBottom);
    const int pen = std::max(0, obj->m_nPenWidth / 2);
    r.InflateRect(pen, pen);
    return r;
}

bool HasFloodFill(const CVemtDoc& doc)
{
    return std::any_of(doc.m_objects.begin(), doc.m_objects.end(),
                       [](const CDrawObj* o) { return o->m_nKind == kKindFill; });
}

int ScrollBarExtent(const QWidget* w)
{
    return w->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, w);
}

int WorkAreaWidth()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 1024;
}

}  // namespace

CVemtView::CVemtView(CVemtApp& app, CVemtDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_app(app), m_doc(doc),
      m_dots(std::max(app.m_nTPWidth, 1), std::max(app.m_nTPHeight * app.m_nTotalScreen, 1), 0x000000)
{
    // The 2-pixel sunken edge is the 4 pixels the window adds to the canvas.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setCursor(Qt::ArrowCursor);
    viewport()->setAccessibleName(QStringLiteral("Canvas"));
    // First among the view's parts, so that tools reading the widget tree (screen
    // readers, test drivers) meet the canvas before the scroll bars' frames.
    viewport()->lower();
    // Black under the canvas only; the scroll bars' corner keeps the window colour.
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::Base, Qt::black);
    viewport()->setPalette(p);
    m_doc.AddView(this);

    // A window that opens while the editor is zoomed shows the canvas at that zoom from
    // the start: its scroll range then fits what it shows.
    const CZoomLayout layout = ComputeZoomLayout(app.m_nTPWidth, app.m_nTPHeight, app.m_nTotalScreen,
                                                 g_nZoomIndex, VisibleAreaLimits(WorkAreaWidth()),
                                                 ScrollBarExtent(this), ScrollBarExtent(this));
    g_nViewWidth = layout.m_nViewWidth;
    g_nViewHeight = layout.m_nViewHeight;
    g_bHScroll = layout.m_bHScroll;
    g_bVScroll = layout.m_bVScroll;
    setHorizontalScrollBarPolicy(g_bHScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(g_bVScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (!parent) resize(layout.m_nFrameWidth, layout.m_nFrameHeight);
    m_nLastFactor = ZoomFactor(g_nZoomIndex);
    ResizeZoomBuffer();
    ApplyScrollSizes(m_nLastFactor);
    RenderCanvas();
}

CVemtView::~CVemtView()
{
    m_doc.RemoveView(this);
}

void CVemtView::SetStatusPanes(QLabel* coordinate, QLabel* dragSize, QLabel* screenNo)
{
    m_pCoordinate = coordinate;
    m_pDragSize = dragSize;
    m_pScreenNo = screenNo;
}

void CVemtView::SetActive(bool active)
{
    if (m_bActive == active) return;
    m_bActive = active;
    if (!m_selection.IsEmpty()) OnUpdate(nullptr, UPD_SELECTION, nullptr, nullptr);
}

// ---------------------------------------------------------------- geometry

QSize CVemtView::ViewportSize() const
{
    // What the window's size leaves for the canvas, also before it is first shown.
    return maximumViewportSize();
}

int CVemtView::GetZoomFactor() const
{
    return ZoomFactor(g_nZoomIndex);
}

CPoint CVemtView::GetScrollPosition() const
{
    return {g_bHScroll ? horizontalScrollBar()->value() : 0, g_bVScroll ? verticalScrollBar()->value() : 0};
}

CPoint CVemtView::GetScrollDots() const
{
    const int z = GetZoomFactor();
    const CPoint s = GetScrollPosition();
    return {s.x / z, s.y / z};
}

void CVemtView::ScrollToPosition(CPoint pixels)
{
    const int z = GetZoomFactor();
    verticalScrollBar()->setValue(SnapToDot(pixels.y, z));
    horizontalScrollBar()->setValue(SnapToDot(pixels.x, z));
}

CRect CVemtView::GetVisibleDotRect() const
{
    const int z = GetZoomFactor();
    const CPoint s = GetScrollPosition();
    const int w = std::max(ViewportSize().width(), g_nViewWidth);
    const int h = std::max(ViewportSize().height(), g_nViewHeight);
    CRect v(s.x / z, s.y / z, (s.x + w + z - 1) / z, (s.y + h + z - 1) / z);
    CRect canvas(0, 0, m_dots.Width(), m_dots.Height());
    CRect visible;
    visible.IntersectRect(v, canvas);
    return visible;
}

CPoint CVemtView::DeviceToDots(CPoint pixel) const
{
    const int z = GetZoomFactor();
    const CPoint s = GetScrollPosition();
    // Floor division: a pixel left of the canvas is a negative dot.
    auto div = [z](int v) { return v >= 0 ? v / z : -((-v + z - 1) / z); };
    return {div(pixel.x + s.x), div(pixel.y + s.y)};
}

CRect CVemtView::DeviceToDots(const CRect& pixels) const
{
    return CRect(DeviceToDots(pixels.TopLeft()), DeviceToDots(pixels.BottomRight()));
}

CPoint CVemtView::DotsToDevice(CPoint dot) const
{
    const int z = GetZoomFactor();
    const CPoint s = GetScrollPosition();
    return {dot.x * z - s.x, dot.y * z - s.y};
}

CRect CVemtView::DotsToDevice(const CRect& dots) const
{
    return CRect(DotsToDevice(dots.TopLeft()), DotsToDevice(dots.BottomRight())).Normalized();
}

// ---------------------------------------------------------------- zoom and scrolling

void CVemtView::OnZoomChanged()
{
    const int z = GetZoomFactor();
    const CZoomLayout layout = ComputeZoomLayout(m_app.m_nTPWidth, m_app.m_nTPHeight, m_app.m_nTotalScreen,
                                                 g_nZoomIndex, VisibleAreaLimits(WorkAreaWidth()),
                                                 ScrollBarExtent(this), ScrollBarExtent(this));
    g_nViewWidth = layout.m_nViewWidth;
    g_nViewHeight = layout.m_nViewHeight;
    g_bHScroll = layout.m_bHScroll;
    g_bVScroll = layout.m_bVScroll;
    const CPoint oldPosition(horizontalScrollBar()->value(), verticalScrollBar()->value());
    setHorizontalScrollBarPolicy(g_bHScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(g_bVScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    // The document's window takes the new size at its place.
    QWidget* frame = parentWidget() ? parentWidget() : this;
    frame->resize(layout.m_nFrameWidth, layout.m_nFrameHeight);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame->parentWidget()))
        sub->resize(layout.m_nFrameWidth, layout.m_nFrameHeight);
    if (frame != this) resize(frame->size());

    if (!CanShowGrid()) m_bGrid = false;
    const int oldFactor = m_nLastFactor;
    m_nLastFactor = z;
    if (g_nPrevZoomIndex == g_nZoomIndex && oldFactor == z) return;
    ResizeZoomBuffer();
    m_bInScrollSnap = true;
    horizontalScrollBar()->setValue(oldPosition.x);
    verticalScrollBar()->setValue(oldPosition.y);
    m_bInScrollSnap = false;
    ApplyScrollSizes(oldFactor);
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
}

void CVemtView::ResetZoom()
{
    g_nPrevZoomIndex = g_nZoomIndex;
    g_nZoomIndex = 0;
    OnZoomChanged();
}

void CVemtView::ApplyScrollSizes(int oldFactor)
{
    const int z = GetZoomFactor();
    CZoomLayout layout;
    layout.m_nViewWidth = g_nViewWidth;
    layout.m_nViewHeight = g_nViewHeight;
    layout.m_bHScroll = g_bHScroll;
    layout.m_bVScroll = g_bVScroll;
    const CScrollSizes sizes =
        ComputeScrollSizes(m_app.m_nTPWidth, m_app.m_nTPHeight, m_app.m_nTotalScreen, z, layout);
    const CPoint old(horizontalScrollBar()->value(), verticalScrollBar()->value());
    // The range lets the last dot come fully into view, on a whole dot.
    auto range = [z](int total, int shown) {
        const int over = total - shown;
        return over <= 0 ? 0 : (over + z - 1) / z * z;
    };
    m_bInScrollSnap = true;
    horizontalScrollBar()->setRange(0, g_bHScroll ? range(sizes.m_sizeTotal.cx, ViewportSize().width()) : 0);
    verticalScrollBar()->setRange(0, g_bVScroll ? range(sizes.m_sizeTotal.cy, ViewportSize().height()) : 0);
    horizontalScrollBar()->setPageStep(std::max(sizes.m_sizePage.cx, z));
    verticalScrollBar()->setPageStep(std::max(sizes.m_sizePage.cy, z));
    horizontalScrollBar()->setSingleStep(std::max(sizes.m_sizeLine.cx, z));
    verticalScrollBar()->setSingleStep(std::max(sizes.m_sizeLine.cy, z));
    // The same dot stays at the top-left; vertical first.
    verticalScrollBar()->setValue(SnapToDot(RescaleScrollPosition(old.y, oldFactor, z), z));
    horizontalScrollBar()->setValue(SnapToDot(RescaleScrollPosition(old.x, oldFactor, z), z));
    m_bInScrollSnap = false;
}

void CVemtView::scrollContentsBy(int, int)
{
    if (m_bInScrollSnap) return;
    // Scroll positions stay on whole dots.
    const int z = GetZoomFactor();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (h->value() % z || v->value() % z) {
        m_bInScrollSnap = true;
        h->setValue(SnapToDot(h->value(), z));
        v->setValue(SnapToDot(v->value(), z));
        m_bInScrollSnap = false;
    }
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
}

void CVemtView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    ResizeZoomBuffer();
    ApplyScrollSizes(GetZoomFactor());
    const CRect saved = g_rcUpdate;
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
    g_rcUpdate = saved;
}

void CVemtView::ResizeZoomBuffer()
{
    const QSize size = ViewportSize().expandedTo(QSize(1, 1));
    if (m_zoom.size() == size) return;
    m_zoom = QImage(size, QImage::Format_RGB32);
    m_zoom.fill(Qt::black);
}

// ---------------------------------------------------------------- rendering

void CVemtView::RenderCanvas()
{
    const int z = GetZoomFactor();
    const CRect visible = GetVisibleDotRect();
    const CPoint scrollDots = GetScrollDots();
    if (m_zoom.size() != ViewportSize()) ResizeZoomBuffer();

    const bool whole = g_rcUpdate.IsRectEmpty();
    CRect area = visible;
    if (!whole) {
        // Room for the selection handles around what changed.
        CRect r = g_rcUpdate.Normalized();
        r = CRect(r.left - 4, r.top - 5, r.right + 5, r.bottom + 4);
        g_rcUpdate = r;
        if (!area.IntersectRect(r, visible)) {
            g_rcUpdate.SetRectEmpty();
            m_rcLastRendered = CRect();
            return;
        }
    }

    // A flood fill spreads as far as the dots drawn before it let it: it is drawn over the
    // whole canvas, as the sign gets it, whatever else changed.
    const CRect canvas(0, 0, m_dots.Width(), m_dots.Height());
    const CRect dotsArea = HasFloodFill(m_doc) ? canvas : area;
    if (!dotsArea.IsRectEmpty()) {
        CRasterDC dc(m_dots);
        dc.SetClipRect(dotsArea);
        dc.FillSolidRect(dotsArea, 0x000000);
        g_rcUpdate = dotsArea;
        m_doc.DrawAll(dc, this);
    }
    g_rcUpdate.SetRectEmpty();

    if (whole) m_zoom.fill(Qt::black);  // beyond the canvas's edge
    MagnifyInto(area);
    const QRect pixels = whole ? m_zoom.rect()
                               : QRect((area.left - scrollDots.x) * z, (area.top - scrollDots.y) * z,
                                       area.Width() * z, area.Height() * z)
                                     .intersected(m_zoom.rect());
    DrawOverlays(pixels);
    m_rcLastRendered = area;
    viewport()->update(pixels);
}

void CVemtView::MagnifyInto(const CRect& dots)
{
    if (dots.IsRectEmpty()) return;
    const int z = GetZoomFactor();
    const CPoint s = GetScrollDots();
    const int imageWidth = m_zoom.width();
    const int imageHeight = m_zoom.height();
    const int x0 = (dots.left - s.x) * z;
    for (int y = dots.top; y < dots.bottom; ++y) {
        const int py = (y - s.y) * z;
        if (py >= imageHeight) break;
        if (py + z <= 0) continue;
        const COLORREF* src = m_dots.Row(y);
        auto* first = reinterpret_cast<QRgb*>(m_zoom.scanLine(std::max(py, 0)));
        // One magnified row, in the window's colour order, then copied down z - 1 times.
        int px = x0;
        for (int x = dots.left; x < dots.right && px < imageWidth; ++x, px += z) {
            const COLORREF c = src[x];
            const QRgb rgb = 0xFF000000u | (QRgb(GetRValue(c)) << 16) | (QRgb(GetGValue(c)) << 8) | QRgb(GetBValue(c));
            const int from = std::max(px, 0);
            const int to = std::min(px + z, imageWidth);
            for (int i = from; i < to; ++i) first[i] = rgb;
        }
        const int left = std::max(x0, 0);
        const int right = std::min(px, imageWidth);
        if (right <= left) continue;
        const std::size_t bytes = std::size_t(right - left) * sizeof(QRgb);
        for (int k = 1; k < z; ++k) {
            const int row = py + k;
            if (row < 0) continue;
            if (row >= imageHeight) break;
            std::memcpy(reinterpret_cast<QRgb*>(m_zoom.scanLine(row)) + left, first + left, bytes);
        }
    }
}

void CVemtView::DrawOverlays(const QRect& clip)
{
    if (clip.isEmpty()) return;
    const int z = GetZoomFactor();
    auto put = [&](int x, int y, QRgb c) {
        if (clip.contains(x, y)) reinterpret_cast<QRgb*>(m_zoom.scanLine(y))[x] = c;
    };

    // Selection handles at device scale, in the active view only.
    if (m_bActive) {
        const QRgb handle = qRgb(GetRValue(kHandleColor), GetGValue(kHandleColor), GetBValue(kHandleColor));
        for (CDrawObj* obj : m_doc.m_objects) {
            if (!m_selection.Contains(obj)) continue;
            for (const CRect& s : obj->HandleSquares(kTrackerSelected, this)) {
                if (s.right <= clip.left() || s.left > clip.right() || s.bottom <= clip.top() ||
                    s.top > clip.bottom())
                    continue;
                for (int x = s.left; x < s.right; ++x) {
                    put(x, s.top, handle);
                    put(x, s.bottom - 1, handle);
                }
                for (int y = s.top; y < s.bottom; ++y) {
                    put(s.left, y, handle);
                    put(s.right - 1, y, handle);
                }
            }
        }
    }

    // The grid outlines every dot.
    if (m_bGrid && z >= 6) {
        const QRgb grid = palette().color(QPalette::Dark).rgb();
        const int w = std::min(m_zoom.width(), std::max(g_nViewWidth, ViewportSize().width()));
        const int h = std::min(m_zoom.height(), std::max(g_nViewHeight, ViewportSize().height()));
        for (int x = clip.left() / z * z; x <= clip.right() && x < w; x += z)
            for (int y = clip.top(); y <= clip.bottom() && y < h; ++y) put(x, y, grid);
        for (int y = clip.top() / z * z; y <= clip.bottom() && y < h; y += z)
            for (int x = clip.left(); x <= clip.right() && x < w; ++x) put(x, y, grid);
    }

    // Screen boundaries, inverted so they show over lit dots too.
    if (m_bSeparateLine && m_app.m_nTPHeight > 0) {
        const QRgb xorColour = 0x000080FFu;  // RGB(0, 128, 255)
        const int h = std::min(m_zoom.height(), std::max(g_nViewHeight, ViewportSize().height()));
        for (int y : SeparatorRows(GetScrollPosition().y, z, m_app.m_nTPHeight, h)) {
            if (y < clip.top() || y > clip.bottom()) continue;
            auto* row = reinterpret_cast<QRgb*>(m_zoom.scanLine(y));
            for (int x = clip.left(); x <= clip.right(); ++x) row[x] ^= xorColour;
        }
    }
}

void CVemtView::OnUpdate(IDrawView*, int hint, CDrawObj* obj, const std::vector<CDrawObj*>* list)
{
    switch (hint) {
    case UPD_ALL: {
        m_bPendingAll = false;
        m_rcPendingDots.SetRectEmpty();
        const CRect saved = g_rcUpdate;
        g_rcUpdate.SetRectEmpty();
        RenderCanvas();
        g_rcUpdate = saved;
        return;
    }
    case UPD_OBJECT:
        if (obj) InvalidateDots(DrawnArea(obj));
        return;
    case UPD_SELECTION:
    case UPD_DELETE_SELECTION: {
        if (hint == UPD_DELETE_SELECTION && (!list || list == &m_selection.Objects())) return;
        const std::vector<CDrawObj*>& objects = list ? *list : m_selection.Objects();
        for (CDrawObj* o : objects) InvalidateDots(DrawnArea(o));
        return;
    }
    case UPD_OLE_ITEMS:
        for (CDrawObj* o : m_doc.m_objects)
            if (o->m_nKind == kKindOle) InvalidateDots(DrawnArea(o));
        return;
    default: return;
    }
}

void CVemtView::InvalidateDots(const CRect& dots)
{
    CRect joined;
    joined.UnionRect(m_rcPendingDots, dots);
    m_rcPendingDots = joined;
    viewport()->update();
}

void CVemtView::FlushPendingUpdate()
{
    if (!m_bPendingAll && m_rcPendingDots.IsRectEmpty()) return;
    const CRect saved = g_rcUpdate;
    g_rcUpdate = m_bPendingAll ? CRect() : m_rcPendingDots;
    m_bPendingAll = false;
    m_rcPendingDots.SetRectEmpty();
    RenderCanvas();
    g_rcUpdate = saved;
}

void CVemtView::OnObjectRemoved(CDrawObj* obj)
{
    if (m_selection.Remove(obj)) emit SelectionChanged();
}

void CVemtView::paintEvent(QPaintEvent* event)
{
    FlushPendingUpdate();
    QPainter painter(viewport());
    painter.drawImage(event->rect(), m_zoom, event->rect());
}

bool CVemtView::viewportEvent(QEvent* event)
{
    // The canvas paints every pixel; nothing is erased first.
    return QAbstractScrollArea::viewportEvent(event);
}

// ---------------------------------------------------------------- selection

void CVemtView::SelectObj(CDrawObj* obj, bool bAdd, bool bRedraw)
{
    // With an update pending, the handles that come and go are drawn with it; with none
    // the whole visible area is drawn.
    const bool partial = !g_rcUpdate.IsRectEmpty();
    auto include = [partial](CDrawObj* o) {
        if (!partial) return;
        CRect joined;
        joined.UnionRect(g_rcUpdate.Normalized(), DrawnArea(o));
        g_rcUpdate = joined;
    };
    bool changed = false;
    if (!bAdd && !m_selection.IsEmpty()) {
        for (CDrawObj* o : m_selection) include(o);
        m_selection.Clear();
        changed = true;
    }
    if (obj && m_selection.Add(obj)) {
        include(obj);
        changed = true;
    }
    if (bRedraw) RenderCanvas();
    if (changed) emit SelectionChanged();
}

void CVemtView::DeselectObj(CDrawObj* obj)
{
    // Dropped before the canvas is drawn, so its handles go with it.
    if (!m_selection.Remove(obj)) return;
    CRect joined;
    joined.UnionRect(g_rcUpdate.Normalized(), DrawnArea(obj));
    g_rcUpdate = joined;
    RenderCanvas();
    emit SelectionChanged();
}

bool CVemtView::IsSelected(const CDrawObj* obj) const
{
    return m_selection.Contains(obj);
}

void CVemtView::SelectWithinRect(const CRect& clientRect, bool bAdd)
{
    if (!bAdd && !m_selection.IsEmpty()) {
        m_selection.Clear();
        emit SelectionChanged();
    }
    const CRect dots = DeviceToDots(clientRect.Normalized());
    bool appended = false;
    bool renderedAtLast = false;
    const std::size_t count = m_doc.m_objects.size();
    for (std::size_t i = 0; i < count; ++i) {
        CDrawObj* obj = m_doc.m_objects[i];
        if (!obj->TouchesRect(dots)) continue;
        const bool last = i + 1 == count;
        SelectObj(obj, true, last);
        appended = true;
        renderedAtLast = last;
    }
    if (appended && !renderedAtLast) RenderCanvas();
}

void CVemtView::CloneSelection()
{
    const std::vector<CDrawObj*> selected = m_selection.Objects();
    for (CDrawObj* obj : selected) obj->CloneInto(&m_doc);
}

void CVemtView::ApplyColoursToSelection(COLORREF line, COLORREF fill)
{
    if (m_selection.IsEmpty()) return;
    CEditRecorder step(m_doc);
    for (CDrawObj* obj : m_selection) {
        obj->m_crLine = line;
        obj->m_crFill = fill;
        CRect joined;
        joined.UnionRect(g_rcUpdate.Normalized(), DrawnArea(obj));
        g_rcUpdate = joined;
    }
    m_doc.SetModifiedFlag();
    RenderCanvas();
    step.Commit(QString::fromLatin1(kStepColour));
}

// ---------------------------------------------------------------- commands

void CVemtView::OnEditDelete()
{
    if (m_selection.IsEmpty()) return;
    CEditRecorder step(m_doc);
    const std::vector<CDrawObj*> doomed = m_selection.Objects();
    m_doc.UpdateAllViews(this, UPD_DELETE_SELECTION, nullptr, &doomed);
    CRect area;
    for (CDrawObj* obj : doomed) area.UnionRect(area, DrawnArea(obj));
    const bool single = doomed.size() == 1;
    for (CDrawObj* obj : doomed) {
        m_doc.RemoveObj(obj);
        g_rcUpdate = area;
        obj->RemoveObject(this, single);
    }
    m_selection.Clear();
    g_rcUpdate = area;
    RenderCanvas();
    step.Commit(QString::fromLatin1(kStepDelete));
    emit SelectionChanged();
}

bool CVemtView::CanSelectAll() const
{
    return !m_doc.m_objects.empty();
}

void CVemtView::OnEditSelectAll()
{
    const std::size_t count = m_doc.m_objects.size();
    for (std::size_t i = 0; i < count; ++i) SelectObj(m_doc.m_objects[i], true, i + 1 == count);
}

void CVemtView::OnDocumentCleared()
{
    if (!m_selection.IsEmpty()) {
        m_selection.Clear();
        emit SelectionChanged();
    }
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
}

void CVemtView::OnCancel()
{
    if (g_nDrawMode == kDrawModePolyLine) m_bPolyActive = false;
    if (viewport()->mouseGrabber() == viewport()) viewport()->releaseMouse();
    if (CancelHandlerSlot()) CancelHandlerSlot()(*this);
    if (g_nDrawMode != kDrawModeSelect) {
        ReturnToSelectMode();
        return;
    }
    if (!m_selection.IsEmpty()) {
        m_selection.Clear();
        emit SelectionChanged();
    }
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
}

bool CVemtView::CanShowGrid() const
{
    return g_nZoomIndex == 2 || g_nZoomIndex == 3;
}

void CVemtView::ToggleGrid()
{
    if (!CanShowGrid()) {
        m_bGrid = false;
        return;
    }
    m_bGrid = !m_bGrid;
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
}

void CVemtView::ToggleSeparateLine()
{
    m_bSeparateLine = !m_bSeparateLine;
    const CRect saved = g_rcUpdate;
    g_rcUpdate.SetRectEmpty();
    RenderCanvas();
    g_rcUpdate = saved;
}

// ---------------------------------------------------------------- keyboard

void CVemtView::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool arrow = key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    if (!arrow || m_selection.IsEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    Nudge(key, event->modifiers());
    event->accept();
}

void CVemtView::Nudge(int key, Qt::KeyboardModifiers keys)
{
    const bool shift = keys & Qt::ShiftModifier;
    const bool ctrl = keys & Qt::ControlModifier;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const int dir = (key == Qt::Key_Right || key == Qt::Key_Down) ? 1 : -1;
    CEditRecorder step(m_doc);
    for (CDrawObj* obj : m_selection) {
        CRect r = obj->m_rcPosition;
        int& a = horizontal ? r.left : r.top;
        int& b = horizontal ? r.right : r.bottom;
        const bool stroke = obj->m_nKind == kKindStroke;
        if (!shift && !ctrl) {
            a += dir;
            b += dir;
        } else if (!stroke) {
            if (shift) {
                // The larger coordinate moves: right/down grow, left/up shrink but not
                // below one dot.
                int& edge = a > b ? a : b;
                if (dir > 0 || std::abs(b - a) != 1) edge += dir;
            }
            if (ctrl) {
                // The smaller coordinate moves: left/up grow, right/down shrink but not
                // below one dot.
                int& edge = a > b ? b : a;
                if (dir < 0 || std::abs(b - a) != 1) edge += dir;
            }
        }
        if (r == obj->m_rcPosition) continue;
        // Moving keeps a stroke's points with its rectangle.
        obj->MoveToRect(r, this, false);
    }
    RenderCanvas();
    m_doc.SetModifiedFlag();
    // Successive nudges of the same objects are one step.
    step.Commit(QString::fromLatin1(kStepNudge), CObjectsCommand::kNudgeMerge);
}

// ---------------------------------------------------------------- mouse

void CVemtView::SetMouseHandler(MouseHandler handler)
{
    MouseHandlerSlot() = std::move(handler);
}

void CVemtView::SetCancelHandler(std::function<void(CVemtView&)> handler)
{
    CancelHandlerSlot() = std::move(handler);
}

void CVemtView::UpdateStatus(CPoint pixel, Qt::MouseButtons buttons)
{
    const CPoint p = DeviceToDots(pixel);
    const CPoint d = DeviceToDots(m_ptMouseDown);
    if (buttons == Qt::LeftButton && ReportsDragSize(g_nDrawMode, m_bPolyActive)) {
        if (m_pCoordinate) m_pCoordinate->setText(QStringLiteral("(x=%1,y=%2)").arg(d.x).arg(d.y));
        if (m_pDragSize)
            m_pDragSize->setText(QStringLiteral("(cx=%1,cy=%2)").arg(std::abs(p.x - d.x)).arg(std::abs(p.y - d.y)));
    } else if (m_pCoordinate) {
        m_pCoordinate->setText(QStringLiteral("(x=%1,y=%2)").arg(p.x).arg(p.y));
    }
    if (m_pScreenNo && m_app.m_nTPHeight > 0)
        m_pScreenNo->setText(QStringLiteral("The %1th Screen").arg(p.y / m_app.m_nTPHeight + 1));
}

void CVemtView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint q = event->position().toPoint();
    const CPoint pixel(q.x(), q.y());
    UpdateStatus(pixel, event->buttons());
    if (m_bActive && g_nDrawMode != kDrawModeEyeDrop && MouseHandlerSlot())
        MouseHandlerSlot()(*this, MouseEvent::Move, event->modifiers(), pixel);
}

void CVemtView::mousePressEvent(QMouseEvent* event)
{
    const QPoint q = event->position().toPoint();
    const CPoint pixel(q.x(), q.y());
    if (event->button() != Qt::LeftButton) return;
    m_ptMouseDown = pixel;
    if (g_nDrawMode == kDrawModePolyLine) m_bPolyActive = true;
    if (!m_bActive) return;
    if (MouseHandlerSlot() && MouseHandlerSlot()(*this, MouseEvent::Press, event->modifiers(), pixel)) return;
    if (g_nDrawMode == kDrawModeCharacter) {
        emit NewTextAt(this, DeviceToDots(pixel));
        return;
    }
    if (g_nDrawMode == kDrawModeSelect) {
        // A click picks the topmost object; Shift adds to or takes from the selection.
        CDrawObj* obj = m_doc.ObjectAt(DeviceToDots(pixel));
        if (event->modifiers() & Qt::ShiftModifier) {
            if (!obj) return;
            if (IsSelected(obj)) DeselectObj(obj);
            else SelectObj(obj, true, true);
        } else if (!obj || !IsSelected(obj)) {
            SelectObj(obj, false, true);
        }
    }
}

void CVemtView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint q = event->position().toPoint();
    const CPoint pixel(q.x(), q.y());
    if (event->button() == Qt::RightButton) {
        OnRightButtonUp(event);
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    if (m_pDragSize) m_pDragSize->setText(QStringLiteral("Drag size"));
    if (m_bActive && g_nDrawMode != kDrawModeEyeDrop && MouseHandlerSlot())
        MouseHandlerSlot()(*this, MouseEvent::Release, event->modifiers(), pixel);
}

void CVemtView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint q = event->position().toPoint();
    const CPoint pixel(q.x(), q.y());
    if (event->button() != Qt::LeftButton) return;
    if (MouseHandlerSlot() && MouseHandlerSlot()(*this, MouseEvent::DoubleClick, event->modifiers(), pixel))
        return;
    CDrawObj* obj = m_doc.ObjectAt(DeviceToDots(pixel));
    if (!obj) return;
    if (obj->m_nKind == kKindOle) obj->OpenObject(this);
    else if (obj->m_nKind == kKindText) emit EditText(this, obj);
}

void CVemtView::RegisterContextCommand(const QString& text, std::function<void(CVemtView&)> run)
{
    if (run) ContextCommands()[text] = std::move(run);
    else ContextCommands().erase(text);
}

QMenu* CVemtView::BuildContextMenu(int clientY)
{
    QStringList items;
    if (m_selection.IsEmpty()) {
        m_nContextMenuRow = clientY;
        items << QStringLiteral("Convert this to BMP");
    } else if (m_selection.Count() == 1 && m_selection.Dominant()->m_nKind == kKindOle) {
        items << QStringLiteral("Invert X axis") << QStringLiteral("Invert Y axis");
    } else if (std::all_of(m_selection.begin(), m_selection.end(),
                           [](const CDrawObj* o) { return o->m_nKind == kKindText; })) {
        items << QStringLiteral("Change row spacing");
    } else {
        return nullptr;
    }
    auto* menu = new QMenu(this);
    for (const QString& text : items) {
        QAction* action = menu->addAction(text);
        const auto it = ContextCommands().find(text);
        action->setEnabled(it != ContextCommands().end());
        if (it != ContextCommands().end()) {
            auto run = it->second;
            connect(action, &QAction::triggered, this, [this, run] { run(*this); });
        }
    }
    return menu;
}

void CVemtView::OnRightButtonUp(QMouseEvent* event)
{
    if (g_nDrawMode == kDrawModeEyeDrop && MouseHandlerSlot()) return;
    if (event->modifiers() == Qt::ControlModifier) {
        ResetZoom();
        return;
    }
    const QPoint q = event->position().toPoint();
    QMenu* menu = BuildContextMenu(q.y());
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPosition().toPoint());
}
