#pragma once
// The drawing tools' context on a real canvas view: its document, selection, cursor and
// rubber band, the mode switch of the editor and the text entry window of the frame.

#include "editor/tools/IToolContext.h"

#include <Qt>

class CVemtView;

class CViewToolContext : public IToolContext {
public:
    explicit CViewToolContext(CVemtView& view);

    CVemtDoc& Document() override;
    IDrawView* View() override;
    const std::vector<CDrawObj*>& Selection() const override;
    bool IsSelected(CDrawObj* obj) const override;
    void SelectObj(CDrawObj* obj, bool add, bool redraw) override;
    void DeselectObj(CDrawObj* obj) override;
    void DropFromSelection(CDrawObj* obj) override;
    void SelectWithinRect(const CRect& clientRect, bool add) override;
    void CloneSelection() override;
    CPoint ClientToDots(CPoint client) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    void SetToolCursor(EDrawCursor cursor) override;
    void ShowFocusRect(const CRect& clientRect) override;
    void ReturnToSelectMode() override;
    COLORREF ColorAtDot(CPoint dot) override;
    void HideTextEntry() override;
    void CloseInPlaceItem() override;
    void BeginNewText(CPoint dot) override;
    void EditText(CDrawObj* textObj) override;

    // The key flags of a mouse event: Shift and Ctrl from the modifiers, the buttons held.
    static unsigned KeyFlags(Qt::KeyboardModifiers keys, Qt::MouseButtons buttons);

private:
    CVemtView& m_view;
};
