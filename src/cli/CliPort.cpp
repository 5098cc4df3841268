#include "cli/CliPort.h"

#include "cli/CCliContext.h"
#include "comm/CComPortMap.h"

std::string ResolvePortDevice(const CCliContext& context, const std::string& port)
{
    if (port != "COM1" && port != "COM2") return port;
    CComPortMap ports;
    ports.Load(context.m_profile);
    return ports.DevicePath(port == "COM1" ? 1 : 2);
}
