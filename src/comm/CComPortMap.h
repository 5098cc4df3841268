#pragma once
// The user chooses "COM1" or "COM2"; on this system each choice names a device path
// (a serial port, a USB adapter, or the pseudo-terminal of a simulated sign).

#include <string>
#include <vector>

class IProfile;

class CComPortMap {
public:
    static constexpr const char* kDefaultCom1 = "/dev/ttyS0";
    static constexpr const char* kDefaultCom2 = "/dev/ttyUSB0";

    CComPortMap();

    // Port 1 or 2; any other number gets the COM2 device, the default port.
    std::string DevicePath(int port) const;
    void SetDevicePath(int port, const std::string& device);
    // "COM%d", the name the user sees.
    static std::string PortName(int port);

    // Section "SendOption", keys "Com1Device" and "Com2Device"; missing keys keep the defaults.
    void Load(const IProfile& profile);
    void Save(IProfile& profile) const;

    // The machine's serial devices: stable /dev/serial/by-id links first, then the ttys
    // under /sys/class/tty that have a driver behind them.
    static std::vector<std::string> ListSerialPorts(const std::string& sysRoot = "");

private:
    std::string m_szCom1;
    std::string m_szCom2;
};
