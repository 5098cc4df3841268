#include "programme/CScreenInfoTable.h"

#include "app/CVemtApp.h"

#include <algorithm>

CScreenInfoTable::CScreenInfoTable(CVemtApp& app) : m_aRecords(app.m_aScreenInfo) {}

void CScreenInfoTable::ResizeScreenInfo(int screenCount)
{
    // resize() keeps the front records as they are and appends default-constructed ones,
    // which carry the defaults of a new record (pause 10).
    m_aRecords.resize(std::size_t(std::max(0, screenCount)));
}

void CScreenInfoTable::ResizeScreenInfoForList(int screenCount)
{
    if (screenCount <= 0)
        Free();
    else
        ResizeScreenInfo(screenCount);
}

void CScreenInfoTable::Free()
{
    m_aRecords.clear();
    m_aRecords.shrink_to_fit();
}

int CScreenInfoTable::CopyRange(int screenCount) const
{
    // The dialogs resize the table to the screen count before offering a copy; should the
    // two ever disagree, the copy stays inside the table.
    return std::clamp(screenCount, 0, Count());
}

bool CScreenInfoTable::CopyScreenToAll(int src, int screenCount)
{
    const int n = CopyRange(screenCount);
    if (src < 0 || src >= n) return false;
    const SCREENINFO from = m_aRecords[std::size_t(src)];
    for (int i = 0; i < n; ++i) {
        SCREENINFO& to = m_aRecords[std::size_t(i)];
        to.byImport = from.byImport;
        to.byExport = from.byExport;
        to.bySpeed = from.bySpeed;
        to.byAppend = from.byAppend;
        to.nPauseSec = from.nPauseSec;
        to.nCartoon = from.nCartoon;
    }
    return true;
}

bool CScreenInfoTable::CopyColumnToAll(int src, int column, int screenCount)
{
    const int n = CopyRange(screenCount);
    if (src < 0 || src >= n || column < 0 || column > 3) return false;
    const SCREENINFO from = m_aRecords[std::size_t(src)];
    for (int i = 0; i < n; ++i) {
        SCREENINFO& to = m_aRecords[std::size_t(i)];
        switch (column) {
        case 0: to.byImport = from.byImport; break;
        case 1: to.byExport = from.byExport; break;
        case 2: to.bySpeed = from.bySpeed; break;
        case 3:
            to.byAppend = from.byAppend;
            to.nPauseSec = from.nPauseSec;
            to.nCartoon = from.nCartoon;
            break;
        }
    }
    return true;
}
