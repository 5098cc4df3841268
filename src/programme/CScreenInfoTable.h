#pragma once
// Operations on the application's per-screen settings table: following the document's
// screen count and the two bulk copies of the settings list. The table itself stays
// where the application keeps it; this class only works on it.

#include "programme/SCREENINFO.h"

#include <vector>

class CVemtApp;

class CScreenInfoTable {
public:
    explicit CScreenInfoTable(std::vector<SCREENINFO>& records) : m_aRecords(records) {}
    explicit CScreenInfoTable(CVemtApp& app);

    int Count() const { return int(m_aRecords.size()); }

    // Brings the table to screenCount records: the first ones kept byte for byte, the
    // new ones default. Records are never reordered. A negative count counts as 0.
    void ResizeScreenInfo(int screenCount);
    // The settings list's variant: with no screen the table is released instead.
    void ResizeScreenInfoForList(int screenCount);
    // No table, count 0, storage given back.
    void Free();

    // Copies the six fields of record src into records 0 .. screenCount - 1. False, and
    // nothing changed, when src is not one of those records.
    bool CopyScreenToAll(int src, int screenCount);

    // Column 0 import mode, 1 export mode, 2 speed, 3 the whole append mode (flags, pause
    // time and cartoon together). False, and nothing changed, for an unknown column or
    // a src outside the screens.
    bool CopyColumnToAll(int src, int column, int screenCount);

private:
    // The records a bulk copy may touch: the screens in use that the table holds.
    int CopyRange(int screenCount) const;

    std::vector<SCREENINFO>& m_aRecords;
};
