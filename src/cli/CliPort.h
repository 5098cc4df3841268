#pragma once
// The serial device named by a command's --port.

#include <string>

struct CCliContext;

// How every command's --port option is described.
inline constexpr const char* kPortOptionHelp =
    "serial device path, rfc2217://HOST:PORT of a serial device server, or COM1 / COM2 as chosen in the editor";

// COM1 and COM2 stand for the devices the editor's address dialog chose; anything else
// names a device already (a tty, a USB adapter, a simulator's pseudo-terminal, or a
// device server as rfc2217://HOST:PORT, which CDeviceTransport opens).
std::string ResolvePortDevice(const CCliContext& context, const std::string& port);
