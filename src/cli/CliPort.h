#pragma once
// The serial device named by a command's --port.

#include <string>

struct CCliContext;

// COM1 and COM2 stand for the devices the editor's address dialog chose; anything else
// is a device path already (a tty, a USB adapter, a simulator's pseudo-terminal).
std::string ResolvePortDevice(const CCliContext& context, const std::string& port);
