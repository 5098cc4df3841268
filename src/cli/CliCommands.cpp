#include "cli/CliCommands.h"

#include "cli/CClockCommand.h"
#include "cli/CComposeCommand.h"
#include "cli/CExportCommand.h"
#include "cli/CInfoCommand.h"
#include "cli/COnOffCommand.h"
#include "cli/CScheduleCommand.h"
#include "cli/CSendCommand.h"
#include "cli/CTimerCommand.h"

std::vector<std::unique_ptr<ICliCommand>> MakeCliCommands(const CCliContext& context)
{
    std::vector<std::unique_ptr<ICliCommand>> commands;
    commands.push_back(std::make_unique<CExportCommand>(context));
    commands.push_back(std::make_unique<CSendCommand>(context));
    commands.push_back(std::make_unique<CComposeCommand>(context));
    commands.push_back(std::make_unique<CClockCommand>(context));
    commands.push_back(std::make_unique<COnOffCommand>(COnOffCommand::Power(context)));
    commands.push_back(std::make_unique<CTimerCommand>(context));
    commands.push_back(std::make_unique<COnOffCommand>(COnOffCommand::ShowAddress(context)));
    commands.push_back(std::make_unique<CInfoCommand>(context));
    commands.push_back(std::make_unique<CScheduleCommand>(context));
    return commands;
}
