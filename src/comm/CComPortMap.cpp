#include "comm/CComPortMap.h"

#include "app/IProfile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

CComPortMap::CComPortMap() : m_szCom1(kDefaultCom1), m_szCom2(kDefaultCom2) {}

std::string CComPortMap::DevicePath(int port) const
{
    return port == 1 ? m_szCom1 : m_szCom2;
}

void CComPortMap::SetDevicePath(int port, const std::string& device)
{
    (port == 1 ? m_szCom1 : m_szCom2) = device;
}

std::string CComPortMap::PortName(int port)
{
    return "COM" + std::to_string(port);
}

void CComPortMap::Load(const IProfile& profile)
{
    m_szCom1 = profile.GetProfileString("SendOption", "Com1Device", kDefaultCom1);
    m_szCom2 = profile.GetProfileString("SendOption", "Com2Device", kDefaultCom2);
    if (m_szCom1.empty()) m_szCom1 = kDefaultCom1;
    if (m_szCom2.empty()) m_szCom2 = kDefaultCom2;
}

void CComPortMap::Save(IProfile& profile) const
{
    profile.WriteProfileString("SendOption", "Com1Device", m_szCom1);
    profile.WriteProfileString("SendOption", "Com2Device", m_szCom2);
}

std::vector<std::string> CComPortMap::ListSerialPorts(const std::string& sysRoot)
{
    std::vector<std::string> ports;
    std::error_code ec;
    const fs::path byId = fs::path(sysRoot + "/dev/serial/by-id");
    if (fs::is_directory(byId, ec)) {
        std::vector<std::string> links;
        for (const auto& e : fs::directory_iterator(byId, ec)) links.push_back(e.path().string());
        std::sort(links.begin(), links.end());
        ports.insert(ports.end(), links.begin(), links.end());
    }
    // Every ttyS0..ttyS31 exists in /sys; only those with a device/driver link are real.
    const fs::path sysTty = fs::path(sysRoot + "/sys/class/tty");
    std::vector<std::string> ttys;
    if (fs::is_directory(sysTty, ec)) {
        for (const auto& e : fs::directory_iterator(sysTty, ec)) {
            const std::string name = e.path().filename().string();
            if (!fs::exists(e.path() / "device" / "driver", ec)) continue;
            if (name.rfind("ttyS", 0) == 0) {
                // Legacy 8250 slots without hardware report type 0 (unknown UART).
                std::error_code typeEc;
                const fs::path type = e.path() / "type";
                if (fs::exists(type, typeEc)) {
                    FILE* f = std::fopen(type.c_str(), "r");
                    int t = -1;
                    if (f) {
                        if (std::fscanf(f, "%d", &t) != 1) t = -1;
                        std::fclose(f);
                    }
                    if (t == 0) continue;
                }
            }
            ttys.push_back("/dev/" + name);
        }
    }
    std::sort(ttys.begin(), ttys.end());
    ports.insert(ports.end(), ttys.begin(), ttys.end());
    return ports;
}
