#include "editor/undo/CObjectsCommand.h"

#include "app/EditorState.h"
#include "document/CDrawObj.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "editor/undo/CUndoHistory.h"

#include <algorithm>
#include <memory>

namespace {
const ObjectBytes kNoObject;

const ObjectBytes& At(const ObjectListBytes& list, std::size_t pos)
{
    return pos < list.size() ? list[pos] : kNoObject;
}
}  // namespace

CObjectsCommand::CObjectsCommand(CUndoHistory* history, CVemtDoc& doc,
                                 const ObjectListBytes& before, const ObjectListBytes& after,
                                 const QString& text, int mergeId)
    : QUndoCommand(text),
      m_pHistory(history),
      m_doc(doc),
      m_nSizeBefore(before.size()),
      m_nSizeAfter(after.size()),
      m_nMergeId(mergeId)
{
    const std::size_t count = std::max(before.size(), after.size());
    for (std::size_t pos = 0; pos < count; ++pos) {
        const ObjectBytes& b = At(before, pos);
        const ObjectBytes& a = At(after, pos);
        if (b != a) m_entries.push_back({pos, b, a});
    }
}

void CObjectsCommand::undo()
{
    Apply(false);
}

void CObjectsCommand::redo()
{
    Apply(true);
}

void CObjectsCommand::Apply(bool after)
{
    const std::size_t target = after ? m_nSizeAfter : m_nSizeBefore;
    std::vector<CDrawObj*> changed;
    auto& objects = m_doc.m_objects;

    // Positions beyond the target list go first, from the end.
    while (objects.size() > target) {
        CDrawObj* last = objects.back();
        m_doc.RemoveObj(last);
        delete last;
    }

    for (const Entry& e : m_entries) {
        const ObjectBytes& bytes = after ? e.m_after : e.m_before;
        if (bytes.empty()) continue;
        if (e.m_nPos < objects.size()) {
            CDrawObj* obj = objects[e.m_nPos];
            if (ToObjectBytes(*obj) == bytes || ReadObjectInPlace(*obj, bytes)) {
                changed.push_back(obj);
                continue;
            }
            // Another class at this position: a new object takes the old one's place.
            std::unique_ptr<CDrawObj> fresh(ObjectFromBytes(bytes, &m_doc));
            if (!fresh) continue;
            objects[e.m_nPos] = fresh.get();
            for (IDrawView* view : m_doc.GetViews()) view->OnObjectRemoved(obj);
            delete obj;
            changed.push_back(fresh.release());
        } else if (e.m_nPos == objects.size()) {
            CDrawObj* fresh = ObjectFromBytes(bytes, &m_doc);
            if (!fresh) continue;
            m_doc.AddObj(fresh);
            changed.push_back(fresh);
        }
    }

    g_rcUpdate.SetRectEmpty();
    if (m_pHistory) m_pHistory->StepApplied(changed);
}

bool CObjectsCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const CObjectsCommand*>(other);
    if (!next || next->m_nMergeId != m_nMergeId || m_nMergeId == kNoMerge) return false;
    if (&next->m_doc != &m_doc) return false;
    // Only steps that change the same objects in place join.
    if (m_nSizeBefore != m_nSizeAfter || next->m_nSizeBefore != next->m_nSizeAfter ||
        m_nSizeAfter != next->m_nSizeBefore || next->m_entries.size() != m_entries.size())
        return false;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].m_nPos != next->m_entries[i].m_nPos) return false;

    bool same = true;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        m_entries[i].m_after = next->m_entries[i].m_after;
        same = same && m_entries[i].m_after == m_entries[i].m_before;
    }
    // Steps that cancel each other out leave nothing to undo.
    if (same) setObsolete(true);
    return true;
}
