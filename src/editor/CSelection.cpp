#include "editor/CSelection.h"

#include <algorithm>

bool CSelection::Add(CDrawObj* obj)
{
    if (!obj || Contains(obj)) return false;
    m_list.push_back(obj);
    return true;
}

bool CSelection::Remove(CDrawObj* obj)
{
    const auto it = std::find(m_list.begin(), m_list.end(), obj);
    if (it == m_list.end()) return false;
    m_list.erase(it);
    return true;
}

bool CSelection::Contains(const CDrawObj* obj) const
{
    return std::find(m_list.begin(), m_list.end(), obj) != m_list.end();
}
