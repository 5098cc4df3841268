#pragma once
// The objects selected in one canvas view, in the order they were selected: the last one
// is the dominant object the align commands measure against. The list points at the
// document's objects and never owns them.

#include <cstddef>
#include <vector>

class CDrawObj;

class CSelection {
public:
    // Appends obj unless it is already selected; false when nothing changed.
    bool Add(CDrawObj* obj);
    // Drops obj; false when it was not selected.
    bool Remove(CDrawObj* obj);
    void Clear() { m_list.clear(); }
    bool Contains(const CDrawObj* obj) const;

    bool IsEmpty() const { return m_list.empty(); }
    std::size_t Count() const { return m_list.size(); }
    // The most recently selected object; nullptr when nothing is selected.
    CDrawObj* Dominant() const { return m_list.empty() ? nullptr : m_list.back(); }
    const std::vector<CDrawObj*>& Objects() const { return m_list; }

    auto begin() const { return m_list.begin(); }
    auto end() const { return m_list.end(); }

private:
    std::vector<CDrawObj*> m_list;
};
