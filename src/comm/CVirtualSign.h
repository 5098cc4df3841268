#pragma once
// The sign built into the editor: a simulated sign on a pseudo-terminal inside this
// process, so that a message can be sent and looked at without any hardware. In the
// port choices it is the device name kDeviceName; its line starts on first use.

#include "comm/CComPortMap.h"
#include "comm/CSignSimulator.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

class CSimulatorLine;
class IProfile;

class CVirtualSign {
public:
    static constexpr const char* kDeviceName = "virtual-sign";
    static constexpr std::uint8_t kAddress = 1;

    CVirtualSign();
    ~CVirtualSign();
    CVirtualSign(const CVirtualSign&) = delete;
    CVirtualSign& operator=(const CVirtualSign&) = delete;

    // The one the editor's port choices refer to.
    static CVirtualSign& Instance();

    // Starts the line if it is not running; the pseudo-terminal's path, or empty when
    // none could be made.
    std::string DevicePath();
    bool IsRunning() const;

    // What the sign holds now (its last complete message).
    CSimSignState State() const;

    // Called on the line's thread after every complete message. A listener must not
    // call back into this object from there (hand the news to its own thread instead).
    using Listener = std::function<void()>;
    int AddListener(Listener listener);
    void RemoveListener(int id);

private:
    void Notify();

    mutable std::mutex m_mutex;          // the line
    std::mutex m_listenerMutex;
    CSignSimulator m_simulator;
    std::unique_ptr<CSimulatorLine> m_pLine;
    std::map<int, Listener> m_listeners;
    int m_nNextListener = 1;
};

// The port choices of the profile. A user who never chose a device for COM2 (the default
// port) gets the built-in sign there, so that a first send works at once.
CComPortMap LoadPortChoices(const IProfile& profile);

// The choices with the built-in sign's name replaced by its pseudo-terminal (started on
// demand); the serial link opens the result. Other choices are kept as they are.
CComPortMap ResolvePortChoices(const CComPortMap& ports, CVirtualSign& sign);
