#pragma once
// "vemtctl power on|off" and "vemtctl show-address on|off": one command word, two frames.

#include "cli/CCliContext.h"
#include "cli/ICliCommand.h"
#include "comm/CDeviceCommand.h"

#include <string>

class COnOffCommand : public ICliCommand {
public:
    // The power switch (to the signs of --address) or the address display (to every sign).
    static COnOffCommand Power(const CCliContext& context);
    static COnOffCommand ShowAddress(const CCliContext& context);

    const char* Name() const override { return m_szName; }
    const char* Synopsis() const override { return m_szSynopsis; }
    const char* Description() const override { return m_szDescription; }
    void AddOptions(CLI::App& command) override;
    int Run() override;

private:
    COnOffCommand(const CCliContext& context, const char* name, const char* synopsis, const char* description,
                  EDeviceCommand on, EDeviceCommand off, bool takesAddresses);

    const CCliContext& m_context;
    const char* m_szName;
    const char* m_szSynopsis;
    const char* m_szDescription;
    EDeviceCommand m_eOn;
    EDeviceCommand m_eOff;
    bool m_bTakesAddresses;
    std::string m_szSwitch;
    std::string m_szPort;
    std::string m_szAddresses;
};
