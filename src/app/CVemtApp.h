#pragma once
// The state the whole program shares: the sign parameters, the per-screen display
// settings table, the on/off timer table, the clock position, the serial settings and
// the timed-send lists. Exactly one exists for a run of the editor; tests and the
// command-line tool make their own.

#include "app/CSendErrorItem.h"
#include "app/CTimingSendItem.h"
#include "comm/TIMERINFO.h"
#include "programme/SCREENINFO.h"

#include <string>
#include <vector>

class IProfile;

class CVemtApp {
public:
    CVemtApp();

    // Sign parameters (fixed once the sign-parameters dialog is confirmed).
    int m_nColorCount = 2;
    int m_nTPWidth = 320;
    int m_nTPHeight = 64;
    int m_nIs232 = 1;
    int m_nTotalScreen = 20;
    int m_nNeedKVX = 1;
    int m_nMaxScreen = 1;
    int m_nMemorySize = 55;

    // Per-screen display settings, record i for screen i in canvas order.
    std::vector<SCREENINFO> m_aScreenInfo;
    int ScreenInfoCount() const { return int(m_aScreenInfo.size()); }

    TimerTable m_aTimer;

    // Clock position on the sign.
    int m_nClockX = 0;
    int m_nClockY = 0;
    int m_bDisplaySecond = 1;

    // Serial settings: the "COM" choice (1 or 2) and the last address string.
    int m_nComPort = 2;
    std::string m_szAddress = "0";

    std::vector<CTimingSendItem> m_listTimingSend;
    std::vector<CSendErrorItem> m_listSendError;

    // Start-up step: the timed-send list from section "TimingSend".
    void LoadTimingSendList(const IProfile& profile);
    // The timed-send list back to section "TimingSend" (the sent flags are not kept).
    void SaveTimingSendList(IProfile& profile) const;
    // Start-up step: the last address and port from section "SendOption".
    void LoadSendOption(const IProfile& profile);
    // End of the run: frees the settings table and the lists.
    void Release();
};
