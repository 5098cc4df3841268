#include "editor/DrawToolCommands.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "document/CDrawFont.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CPaletteBar.h"
#include "editor/CPositionDlg.h"
#include "editor/CRowSpacingDlg.h"
#include "editor/CTextEntryDlg.h"
#include "editor/CToolOptionWnd.h"
#include "editor/CUndoCommands.h"
#include "editor/CVemtView.h"
#include "editor/CViewToolContext.h"
#include "editor/DrawCursors.h"
#include "editor/MenuCommands.h"
#include "editor/align/AlignCommands.h"
#include "editor/align/PositionApply.h"
#include "editor/align/RowSpacingApply.h"
#include "editor/tools/CDrawTool.h"
#include "editor/tools/CEyeDropper.h"
#include "editor/tools/CPolyLineTool.h"
#include "editor/DrawModeChange.h"
#include "editor/tools/ToolOptions.h"
#include "editor/undo/CEditRecorder.h"
#include "editor/undo/CUndoHistory.h"
#include "editor/undo/ObjectBytes.h"
#include "editor/undo/UndoTexts.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QPointer>

#include <map>
#include <memory>
#include <optional>

namespace {

constexpr int kDrawModeEyeDrop = 7;

// Modes whose buttons the tools make usable (the character and zoom modes are the view's).
constexpr int kToolModes[] = {1, 5, 6, 7, 9, 10, 11, 12, 13};

CVemtView* ActiveView(CMainFrame& frame)
{
    CChildFrame* child = frame.ActiveChild();
    return child ? child->View() : nullptr;
}

// After a command changed the document: the whole visible canvas again, the other
// views told, the title and the commands brought up to date.
void AfterEdit(CMainFrame& frame, CVemtView& view)
{
    g_rcUpdate.SetRectEmpty();
    view.RenderCanvas();
    view.GetDocument().UpdateAllViews(&view, UPD_ALL);
    if (CChildFrame* child = frame.ActiveChild()) child->UpdateTitle();
    RefreshCommandStates();
}

// --- the canvas mouse ---------------------------------------------------------------------

bool DispatchMouse(CVemtView& view, CVemtView::MouseEvent event, Qt::KeyboardModifiers keys,
                   CPoint pixel)
{
    using E = CVemtView::MouseEvent;
    CViewToolContext ctx(view);
    Qt::MouseButtons buttons = QApplication::mouseButtons();
    // A tool holds the mouse from press to release, except between the clicks of a
    // polyline: while it does, the left button is down whatever the event source says.
    if (event == E::Move && ctx.HasCapture() && g_nToolShape != kShapePolyTool) buttons |= Qt::LeftButton;
    if (event == E::DoubleClick) {
        // The object under the click decides which tool hears it; pictures and texts are
        // the view's (it opens them).
        CDrawObj* obj = view.GetDocument().ObjectAt(view.DeviceToDots(pixel));
        if (!obj) return true;
        if (obj->m_nKind == kKindOle) return false;  // the view opens pictures
        if (CDrawTool* tool = CDrawTool::FindTool(obj->m_nKind))
            tool->OnLButtonDblClk(ctx, CViewToolContext::KeyFlags(keys, buttons) | kMkLButton, pixel);
        return true;
    }
    // Character mode always means the character tool, whoever set the mode.
    const int shape = g_nDrawMode == kDrawModeCharacter ? kShapeCharacterTool : g_nToolShape;
    CDrawTool* tool = CDrawTool::FindTool(shape);
    if (!tool) return false;
    switch (event) {
    case E::Press:
        tool->OnLButtonDown(ctx, CViewToolContext::KeyFlags(keys, buttons) | kMkLButton, pixel);
        break;
    case E::Move: tool->OnMouseMove(ctx, CViewToolContext::KeyFlags(keys, buttons), pixel); break;
    case E::Release:
        tool->OnLButtonUp(ctx, CViewToolContext::KeyFlags(keys, buttons & ~Qt::LeftButton), pixel);
        break;
    case E::DoubleClick: break;
    }
    RefreshCommandStates();
    return true;
}

// --- the eye drop, which the view leaves to us: both buttons, press to release --------------

class CEyeDropFilter : public QObject {
public:
    CEyeDropFilter(CMainFrame& frame, CVemtView& view)
        : QObject(view.viewport()), m_frame(frame), m_view(view)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (g_nDrawMode != kDrawModeEyeDrop) return false;
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseMove)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint q = mouse->position().toPoint();
        const CPoint pixel(q.x(), q.y());
        CViewToolContext ctx(m_view);
        const auto button = mouse->button() == Qt::RightButton ? CEyeDropper::Button::Right
                                                                : CEyeDropper::Button::Left;
        if (type != QEvent::MouseMove && mouse->button() != Qt::LeftButton &&
            mouse->button() != Qt::RightButton)
            return false;
        bool changed = false;
        if (type == QEvent::MouseButtonPress) changed = m_dropper.OnPress(ctx, button, pixel);
        else if (type == QEvent::MouseButtonRelease) changed = m_dropper.OnRelease(ctx, button, pixel);
        else changed = m_dropper.OnMove(ctx, CViewToolContext::KeyFlags({}, mouse->buttons()), pixel);
        // Only a colour that changed repaints the palette.
        if (changed && m_frame.PaletteBar()) m_frame.PaletteBar()->Palette()->update();
        return type != QEvent::MouseMove;
    }

private:
    CMainFrame& m_frame;
    CVemtView& m_view;
    CEyeDropper m_dropper;
};

// --- text typed in the text entry window: one step from press to OK ------------------------

struct CTextStep {
    QPointer<CVemtView> view;
    std::unique_ptr<CEditRecorder> recorder;
};

CTextStep& PendingText()
{
    static CTextStep step;
    return step;
}

void WatchTextEntry(CMainFrame& frame)
{
    auto* entry = frame.findChild<CTextEntryDlg*>();
    if (!entry || entry->property("undoWatched").toBool()) return;
    entry->setProperty("undoWatched", true);
    auto finish = [&frame](CDrawFont*) {
        CTextStep& step = PendingText();
        if (!step.recorder || !step.view) {
            step.recorder.reset();
            return;
        }
        step.recorder->Commit(QString::fromLatin1(kStepText));
        step.recorder.reset();
        if (CChildFrame* child = frame.ActiveChild()) child->UpdateTitle();
        RefreshCommandStates();
    };
    QObject::connect(entry, &CTextEntryDlg::TextAccepted, &frame, finish);
    QObject::connect(entry, &CTextEntryDlg::TextCancelled, &frame, finish);
}

void WatchView(CMainFrame& frame, CVemtView& view)
{
    if (view.property("toolsWatched").toBool()) return;
    view.setProperty("toolsWatched", true);
    view.viewport()->installEventFilter(new CEyeDropFilter(frame, view));
    view.viewport()->setCursor(CursorFor(EDrawCursor::Select));
    // A new text: the frame has already added its empty object; the step starts from the
    // list without it.
    QObject::connect(&view, &CVemtView::NewTextAt, &frame, [&frame, &view](CVemtView*, CPoint) {
        CVemtDoc& doc = view.GetDocument();
        ObjectListBytes before = ToObjectListBytes(doc);
        if (!before.empty()) before.pop_back();
        PendingText() = {&view, std::make_unique<CEditRecorder>(doc, std::move(before))};
        WatchTextEntry(frame);
    });
    QObject::connect(&view, &CVemtView::EditText, &frame, [&frame, &view](CVemtView*, CDrawObj*) {
        PendingText() = {&view, std::make_unique<CEditRecorder>(view.GetDocument())};
        WatchTextEntry(frame);
    });
    // Undo and redo select what they changed.
    CUndoHistory::Of(view.GetDocument()).m_fnApplied = [&view](const std::vector<CDrawObj*>& changed) {
        view.SelectObj(nullptr, false, false);
        for (CDrawObj* obj : changed) view.SelectObj(obj, true, false);
        g_rcUpdate.SetRectEmpty();
        view.RenderCanvas();
    };
}

// --- commands -------------------------------------------------------------------------------

void InstallAlignCommands(CMainFrame& frame)
{
    for (const CAlignCommandInfo& info : AlignCommandTable()) {
        QAction* action = frame.ToolAction(QString::fromLatin1(info.m_pszName));
        if (!action) continue;
        const EAlignCommand command = info.m_command;
        auto enabled = [&frame, command] {
            CVemtView* view = ActiveView(frame);
            return view && IsAlignCommandEnabled(command, view->Selection().Count());
        };
        auto run = [&frame, command, name = info.m_pszName] {
            CVemtView* view = ActiveView(frame);
            if (!view) return;
            CVemtDoc& doc = view->GetDocument();
            const std::vector<CDrawObj*> selection = view->Selection().Objects();
            if (command == EAlignCommand::SpecifyPosition) {
                std::optional<CRect> single;
                if (selection.size() == 1) single = selection[0]->m_rcPosition.Normalized();
                CPositionDlg dlg(single, [&](const CPositionValues& values) {
                    CEditRecorder recorder(doc);
                    ApplyPosition(view->Selection().Objects(), values, view);
                    recorder.Commit(QString::fromLatin1(name));
                    AfterEdit(frame, *view);
                }, &frame);
                dlg.exec();
                return;
            }
            CEditRecorder recorder(doc);
            const CVemtApp& app = view->App();
            RunAlignCommand(command, selection, app.m_nTPWidth, app.m_nTPHeight, view);
            recorder.Commit(QString::fromLatin1(name));
            AfterEdit(frame, *view);
        };
        WireAction(action, run, enabled);
    }
}

void InstallRowSpacing(CMainFrame& frame)
{
    CVemtView::RegisterContextCommand(QStringLiteral("Change row spacing"), [&frame](CVemtView& view) {
        const std::vector<CDrawObj*> selection = view.Selection().Objects();
        const CRowSpacingSurvey survey = SurveyRowSpacing(selection);
        CRowSpacingDlg dlg(survey.m_bAllSame, survey.m_nRowPitch, &frame);
        if (dlg.exec() != QDialog::Accepted) return;
        CEditRecorder recorder(view.GetDocument());
        const CVemtApp& app = view.App();
        ApplyRowSpacing(selection, g_bFixRowPitch != 0, dlg.ResultSpacing(), app.m_nTPWidth,
                        app.m_nTPHeight * app.m_nTotalScreen);
        recorder.Commit(QString::fromLatin1(kStepRowSpacing));
        AfterEdit(frame, view);
    });
}

void InstallToolOptions(CMainFrame& frame)
{
    CToolOptionWnd* options = frame.ToolOptions();
    if (!options) return;
    QObject::connect(options, &CToolOptionWnd::OptionPicked, &frame, [&frame, options](int index) {
        CVemtView* view = ActiveView(frame);
        std::vector<CDrawObj*> selection;
        if (view) selection = view->Selection().Objects();
        std::unique_ptr<CEditRecorder> recorder;
        if (view) recorder = std::make_unique<CEditRecorder>(view->GetDocument());
        ChooseToolOption(g_nDrawMode, index, selection, view);
        options->update();
        if (!view) return;
        const CToolModeInfo* info = ToolModeInfo(g_nDrawMode);
        const bool widths = info && info->m_options == EToolOptionSet::LineWidths;
        recorder->Commit(QString::fromLatin1(widths ? kStepLineWidth : kStepFillStyle));
        AfterEdit(frame, *view);
    });
}

}  // namespace

void InstallDrawToolCommands(CMainFrame& frame)
{
    for (int mode : kToolModes)
        if (QAction* button = frame.DrawToolAction(mode)) button->setEnabled(true);

    CVemtView::SetMouseHandler(&DispatchMouse);
    CVemtView::SetCancelHandler([](CVemtView& view) {
        CViewToolContext ctx(view);
        ctx.ReleaseCapture();
        if (CDrawTool* tool = CDrawTool::FindTool(g_nToolShape)) tool->OnCancel(ctx);
    });
    // A document that is cleared, opened again or closed: no tool may hold its objects.
    CUndoHistory::s_fnResetListener = [](CVemtDoc& doc) { CDrawTool::ForgetDocument(doc); };

    auto* undo = new CUndoCommands(frame.menuBar(), [&frame]() -> CVemtDoc* {
        CChildFrame* child = frame.ActiveChild();
        return child ? &child->Document() : nullptr;
    }, &frame);
    undo->m_fnBeforeStep = [&frame] {
        // A text being typed ends as if cancelled.
        if (auto* entry = frame.findChild<CTextEntryDlg*>())
            if (entry->isVisible()) entry->CancelButton()->click();
        CVemtView* view = ActiveView(frame);
        if (!view) return;
        CViewToolContext ctx(*view);
        auto* poly = static_cast<CPolyLineTool*>(CDrawTool::FindTool(kShapePolyTool));
        if (poly->IsDrawing()) {
            poly->EndDrawing(ctx);
            view->m_bPolyActive = false;
        }
        // A drag ends where the mouse last was.
        if (ctx.HasCapture())
            if (CDrawTool* tool = CDrawTool::FindTool(g_nToolShape))
                tool->OnLButtonUp(ctx, 0, CDrawTool::c_last);
        ctx.ReleaseCapture();
    };
    QObject::connect(undo, &CUndoCommands::DocumentChanged, &frame, [&frame](CVemtDoc*) {
        if (CChildFrame* child = frame.ActiveChild()) child->UpdateTitle();
        RefreshCommandStates();
    });

    // Every window, as it becomes active.
    auto follow = [&frame, undo] {
        if (CVemtView* view = ActiveView(frame)) WatchView(frame, *view);
        undo->Refresh();
    };
    QObject::connect(frame.MdiArea(), &QMdiArea::subWindowActivated, &frame, follow);
    follow();

    // Choosing another tool ends a polygon being drawn, as Esc would.
    AddDrawModeListener(&frame, [&frame] {
        auto* poly = static_cast<CPolyLineTool*>(CDrawTool::FindTool(kShapePolyTool));
        if (g_nToolShape == kShapePolyTool || !poly->IsDrawing()) return;
        if (CVemtView* view = ActiveView(frame)) {
            CViewToolContext ctx(*view);
            poly->EndDrawing(ctx);
            view->m_bPolyActive = false;
        }
    });

    InstallAlignCommands(frame);
    InstallRowSpacing(frame);
    InstallToolOptions(frame);
}
