#pragma once
// The part every device command of the tool shares: run the frames, progress and
// messages on err, one result line on out, the exit status.

#include "comm/CDeviceCommand.h"

#include <string>

struct CCliContext;

// name: how the result line starts ("clock", "power on"). addresses is ignored by the
// show-address commands, which always reach every sign.
int RunDeviceFromCli(const CCliContext& context, EDeviceCommand command, const CDeviceFrameData& data,
                     const std::string& port, const std::string& addresses, const std::string& name);
