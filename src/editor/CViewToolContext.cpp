#include "editor/CViewToolContext.h"

#include "document/CVemtDoc.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CVemtView.h"
#include "editor/DrawCursors.h"
#include "editor/DrawModeChange.h"
#include "editor/tools/CDrawTool.h"

#include <QPointer>
#include <QPushButton>
#include <QRubberBand>

namespace {
// The view that holds the mouse for a tool (one drag exists at a time).
QPointer<CVemtView> s_captureView;

QRubberBand* BandOf(CVemtView& view)
{
    auto* band = view.viewport()->findChild<QRubberBand*>(QStringLiteral("ToolFocusRect"));
    if (!band) {
        band = new QRubberBand(QRubberBand::Rectangle, view.viewport());
        band->setObjectName(QStringLiteral("ToolFocusRect"));
    }
    return band;
}
}  // namespace

CViewToolContext::CViewToolContext(CVemtView& view) : m_view(view) {}

CVemtDoc& CViewToolContext::Document()
{
    return m_view.GetDocument();
}

IDrawView* CViewToolContext::View()
{
    return &m_view;
}

const std::vector<CDrawObj*>& CViewToolContext::Selection() const
{
    return m_view.Selection().Objects();
}

bool CViewToolContext::IsSelected(CDrawObj* obj) const
{
    return m_view.IsSelected(obj);
}

void CViewToolContext::SelectObj(CDrawObj* obj, bool add, bool redraw)
{
    m_view.SelectObj(obj, add, redraw);
}

void CViewToolContext::DeselectObj(CDrawObj* obj)
{
    m_view.DeselectObj(obj);
}

void CViewToolContext::DropFromSelection(CDrawObj* obj)
{
    if (m_view.Selection().Remove(obj)) emit m_view.SelectionChanged();
}

void CViewToolContext::SelectWithinRect(const CRect& clientRect, bool add)
{
    m_view.SelectWithinRect(clientRect, add);
}

void CViewToolContext::CloneSelection()
{
    m_view.CloneSelection();
}

CPoint CViewToolContext::ClientToDots(CPoint client) const
{
    return m_view.DeviceToDots(client);
}

void CViewToolContext::SetCapture()
{
    s_captureView = &m_view;
}

void CViewToolContext::ReleaseCapture()
{
    if (s_captureView == &m_view) s_captureView = nullptr;
}

bool CViewToolContext::HasCapture() const
{
    return s_captureView == &m_view;
}

void CViewToolContext::SetToolCursor(EDrawCursor cursor)
{
    m_view.viewport()->setCursor(CursorFor(cursor));
}

void CViewToolContext::ShowFocusRect(const CRect& clientRect)
{
    QRubberBand* band = BandOf(m_view);
    if (clientRect.IsRectEmpty() && clientRect.IsRectNull()) {
        band->hide();
        return;
    }
    band->setGeometry(clientRect.left, clientRect.top, clientRect.Width() + 1, clientRect.Height() + 1);
    band->show();
}

void CViewToolContext::ReturnToSelectMode()
{
    ::ReturnToSelectMode();
    SetToolCursor(EDrawCursor::Select);
}

COLORREF CViewToolContext::ColorAtDot(CPoint dot)
{
    const CRasterSurface& dots = m_view.Dots();
    if (dot.x < 0 || dot.y < 0 || dot.x >= dots.Width() || dot.y >= dots.Height()) return 0;
    return dots.GetPixel(dot.x, dot.y);
}

void CViewToolContext::HideTextEntry()
{
    // A text being typed ends as if cancelled, so an empty text object does not stay.
    if (auto* entry = m_view.window()->findChild<CTextEntryDlg*>())
        if (entry->isVisible()) entry->CancelButton()->click();
}

void CViewToolContext::CloseInPlaceItem() {}

void CViewToolContext::BeginNewText(CPoint dot)
{
    // The frame makes the object and opens the text entry window for it.
    emit m_view.NewTextAt(&m_view, dot);
}

void CViewToolContext::EditText(CDrawObj* textObj)
{
    emit m_view.EditText(&m_view, textObj);
}

unsigned CViewToolContext::KeyFlags(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    unsigned flags = 0;
    if (keys & Qt::ShiftModifier) flags |= kMkShift;
    if (keys & Qt::ControlModifier) flags |= kMkControl;
    if (buttons & Qt::LeftButton) flags |= kMkLButton;
    if (buttons & Qt::RightButton) flags |= kMkRButton;
    return flags;
}
