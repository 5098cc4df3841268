#include "app/CVemtApp.h"

#include "app/IProfile.h"

#include <string>

CVemtApp::CVemtApp()
{
    // TIMERINFO's own defaults are the start values: 0, 0, 0, 1, 1, 0, 0.
    m_aTimer.fill(TIMERINFO{});
    m_listTimingSend.reserve(10);
    m_listSendError.reserve(10);
}

void CVemtApp::LoadTimingSendList(const IProfile& profile)
{
    // A damaged profile must not stall start-up: no schedule has this many entries.
    constexpr int kMaxTimingSendEntries = 1000;
    int count = profile.GetProfileInt("TimingSend", "Count", 0);
    if (count > kMaxTimingSendEntries) count = kMaxTimingSendEntries;
    for (int d = 0; d < count; ++d) {
        const std::string n = std::to_string(d);
        CTimingSendItem item;
        item.m_szAddress = profile.GetProfileString("TimingSend", "PingHao" + n, "0");
        item.m_szTime = profile.GetProfileString("TimingSend", "Date" + n, "00:00");
        item.m_szFileName = profile.GetProfileString("TimingSend", "FileName" + n, "");
        m_listTimingSend.push_back(item);
    }
}

void CVemtApp::SaveTimingSendList(IProfile& profile) const
{
    profile.WriteProfileInt("TimingSend", "Count", int(m_listTimingSend.size()));
    for (std::size_t d = 0; d < m_listTimingSend.size(); ++d) {
        const std::string n = std::to_string(d);
        const CTimingSendItem& item = m_listTimingSend[d];
        profile.WriteProfileString("TimingSend", "PingHao" + n, item.m_szAddress);
        profile.WriteProfileString("TimingSend", "Date" + n, item.m_szTime);
        profile.WriteProfileString("TimingSend", "FileName" + n, item.m_szFileName);
    }
}

void CVemtApp::LoadSendOption(const IProfile& profile)
{
    m_szAddress = profile.GetProfileString("SendOption", "PingHao", "0");
    m_nComPort = profile.GetProfileInt("SendOption", "Comport", 2);
}

void CVemtApp::Release()
{
    m_aScreenInfo.clear();
    m_aScreenInfo.shrink_to_fit();
    m_listTimingSend.clear();
    m_listSendError.clear();
}
