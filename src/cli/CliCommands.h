#pragma once
// The commands of the command-line tool, in the order its overview lists them. A new
// command is one class implementing ICliCommand in its own file, plus one line in
// MakeCliCommands.

#include "cli/ICliCommand.h"

#include <memory>
#include <vector>

struct CCliContext;

std::vector<std::unique_ptr<ICliCommand>> MakeCliCommands(const CCliContext& context);
