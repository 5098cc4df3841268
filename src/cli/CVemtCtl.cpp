#include "cli/CVemtCtl.h"

#include "cli/CSignOptions.h"
#include "cli/CliCommands.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>

#include <algorithm>
#include <ostream>

namespace {

constexpr const char* kHelpSynopsis = "help | --help";
constexpr const char* kHelpDescription = "Lists the commands and options.";

bool IsHelpWord(const std::string& word)
{
    return word == "help" || word == "--help" || word == "-h";
}

// A description as the command's own --help shows it: without the overview's indent.
std::string Unindented(std::string text)
{
    for (std::size_t at = text.find("\n    "); at != std::string::npos; at = text.find("\n    ", at + 1))
        text.erase(at + 1, 4);
    return text;
}

// The overview: every command's synopsis and description, then the sign options.
void WriteOverview(const std::vector<std::unique_ptr<ICliCommand>>& commands, std::ostream& out)
{
    out << "Usage: vemtctl COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : commands) out << "  " << c->Synopsis() << "\n    " << c->Description() << "\n";
    out << "  " << kHelpSynopsis << "\n    " << kHelpDescription << "\n";
    out << "  COMMAND --help\n    Lists the options of one command.\n";
    out << "\n" << CSignOptions::HelpText();
}

}  // namespace

CVemtCtl::CVemtCtl(const IProfile& profile, std::string vemtIniPath, std::ostream& out, std::ostream& err)
    : m_context{profile, std::move(vemtIniPath), out, err}
{
}

int CVemtCtl::Run(const std::vector<std::string>& args)
{
    std::ostream& out = m_context.m_out;
    std::ostream& err = m_context.m_err;
    const auto commands = MakeCliCommands(m_context);

    if (args.empty()) {
        err << "vemtctl: no command given; \"vemtctl --help\" lists the commands\n";
        return kExitUsage;
    }
    const auto named = [&](const std::string& name) {
        return std::find_if(commands.begin(), commands.end(),
                            [&](const auto& c) { return name == c->Name(); });
    };
    std::vector<std::string> commandLine = args;
    if (IsHelpWord(args[0])) {
        // "vemtctl help send" is "vemtctl send --help".
        if (args.size() < 2 || named(args[1]) == commands.end()) {
            WriteOverview(commands, out);
            return kExitOk;
        }
        commandLine = {args[1], "--help"};
    }
    const auto chosen = named(commandLine[0]);
    if (chosen == commands.end()) {
        err << "vemtctl: unknown command \"" << commandLine[0] << "\"; \"vemtctl --help\" lists the commands\n";
        return kExitUsage;
    }

    CLI::App app("The message documents and signs from the command line.", "vemtctl");
    // A repeated option keeps its last value, as shell scripts that append overrides expect.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.require_subcommand(1, 1);
    CLI::App* sub = nullptr;
    for (const auto& c : commands) {
        CLI::App* command = app.add_subcommand(c->Name(), Unindented(c->Description()));
        c->AddOptions(*command);
        if (c == *chosen) sub = command;
    }

    // CLI11 parses from the back of the vector.
    std::vector<std::string> reversed(commandLine.rbegin(), commandLine.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << sub->help("vemtctl");
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        err << "vemtctl " << (*chosen)->Name() << ": " << e.what() << "\n";
        return kExitUsage;
    }
    return (*chosen)->Run();
}
