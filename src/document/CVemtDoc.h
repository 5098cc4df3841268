#pragma once
// The message being edited: the ordered list of drawing objects on a canvas of the sign's
// screens stacked vertically. The document owns its objects; its views only point at them.

#include "raster/Geometry.h"

#include <memory>
#include <vector>

class CArchive;
class CDrawObj;
class CRasterDC;
class CVemtApp;
class IDocumentHistory;
class IDrawView;

class CVemtDoc {
public:
    // The canvas takes the sign's size from the application (W by H x N dots).
    explicit CVemtDoc(CVemtApp* app = nullptr);
    ~CVemtDoc();
    CVemtDoc(const CVemtDoc&) = delete;
    CVemtDoc& operator=(const CVemtDoc&) = delete;

    CVemtApp* m_pApp;
    CSize m_sizeCanvas;
    std::vector<CDrawObj*> m_objects;  // drawing order, first drawn first; owned

    // Appends at the end, makes the object ours, marks the document modified.
    void AddObj(CDrawObj* obj);
    // Unlinks the object (if present) without destroying it, marks the document modified,
    // and tells every view to forget it.
    void RemoveObj(CDrawObj* obj);
    // Destroys every object and empties the list.
    void DeleteAllObjects();

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    // The content was written to the document's file: no longer modified, and the
    // history marks this state as the saved one.
    void OnSaved();

    // The edit history (the editor's undo stack); none until the editor attaches one.
    IDocumentHistory* GetHistory() const { return m_pHistory.get(); }
    void SetHistory(std::unique_ptr<IDocumentHistory> history);

    void AddView(IDrawView* view);
    void RemoveView(IDrawView* view);
    const std::vector<IDrawView*>& GetViews() const { return m_views; }
    // Tells every view but the sender.
    void UpdateAllViews(IDrawView* sender, int hint = 0, CDrawObj* obj = nullptr,
                        const std::vector<CDrawObj*>* list = nullptr);

    // Every object draws itself, in list order.
    void DrawAll(CRasterDC& dc, IDrawView* view);
    // The topmost object touching the click square: point +-3 dots at zoom level 0,
    // +-1 dot at any other level. None when nothing touches it.
    CDrawObj* ObjectAt(CPoint point);

    // Rows the message uses, rounded up to whole screens, and how many screens that is.
    int GetUsedHeight() const;
    int GetScreenCount() const;

    // The object list in the archive's object form: the count, then for each object its
    // class tag and its fields.
    void WriteObjects(CArchive& ar) const;
    // Reads such a list and appends it. On any fault (short data, an unknown class, a
    // schema other than 0) nothing is appended, the archive holds the message and the
    // result is false.
    bool ReadObjects(CArchive& ar);

private:
    bool m_bModified = false;
    std::unique_ptr<IDocumentHistory> m_pHistory;
    std::vector<IDrawView*> m_views;
};
