#include "cli/CliCommands.h"

#include "cli/CComposeCommand.h"
#include "cli/CExportCommand.h"
#include "cli/CSendCommand.h"

std::vector<std::unique_ptr<ICliCommand>> MakeCliCommands(const CCliContext& context)
{
    std::vector<std::unique_ptr<ICliCommand>> commands;
    commands.push_back(std::make_unique<CExportCommand>(context));
    commands.push_back(std::make_unique<CSendCommand>(context));
    commands.push_back(std::make_unique<CComposeCommand>(context));
    return commands;
}
