#include "comm/CVirtualSign.h"

#include "app/IProfile.h"
#include "comm/CSimulatorLine.h"

CVirtualSign::CVirtualSign()
{
    m_simulator.AddSign({.m_byAddress = kAddress});
    // Runs with the simulator locked: only pass the news on.
    m_simulator.m_fnOnMessage = [this](std::uint8_t, const CSimSignState&) { Notify(); };
}

CVirtualSign::~CVirtualSign()
{
    std::lock_guard lock(m_mutex);
    m_pLine.reset();
}

CVirtualSign& CVirtualSign::Instance()
{
    static CVirtualSign sign;
    return sign;
}

std::string CVirtualSign::DevicePath()
{
    std::lock_guard lock(m_mutex);
    if (m_pLine && !m_pLine->HungUp()) return m_pLine->SlavePath();
    m_pLine.reset();
    auto line = std::make_unique<CSimulatorLine>(m_simulator);
    if (!line->Open() || !line->Start()) return {};
    m_pLine = std::move(line);
    return m_pLine->SlavePath();
}

bool CVirtualSign::IsRunning() const
{
    std::lock_guard lock(m_mutex);
    return m_pLine && !m_pLine->HungUp();
}

CSimSignState CVirtualSign::State() const
{
    return m_simulator.State(kAddress);
}

int CVirtualSign::AddListener(Listener listener)
{
    std::lock_guard lock(m_listenerMutex);
    const int id = m_nNextListener++;
    m_listeners[id] = std::move(listener);
    return id;
}

void CVirtualSign::RemoveListener(int id)
{
    std::lock_guard lock(m_listenerMutex);
    m_listeners.erase(id);
}

void CVirtualSign::Notify()
{
    std::lock_guard lock(m_listenerMutex);
    for (auto& [id, listener] : m_listeners)
        if (listener) listener();
}

CComPortMap LoadPortChoices(const IProfile& profile)
{
    CComPortMap ports;
    ports.Load(profile);
    if (profile.GetProfileString("SendOption", "Com2Device", "").empty())
        ports.SetDevicePath(2, CVirtualSign::kDeviceName);
    return ports;
}

CComPortMap ResolvePortChoices(const CComPortMap& ports, CVirtualSign& sign)
{
    CComPortMap resolved = ports;
    for (int port = 1; port <= 2; ++port) {
        if (ports.DevicePath(port) != CVirtualSign::kDeviceName) continue;
        const std::string path = sign.DevicePath();
        // Without a pseudo-terminal the open fails and tells the user so in its own words.
        resolved.SetDevicePath(port, path.empty() ? std::string("/dev/null/virtual-sign") : path);
    }
    return resolved;
}
