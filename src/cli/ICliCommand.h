#pragma once
// One command of the command-line tool ("vemtctl NAME ..."). A command declares its
// options on its own CLI11 subcommand, keeping the values in its members, and runs once
// the whole command line has been parsed.

namespace CLI {
class App;
}

class ICliCommand {
public:
    virtual ~ICliCommand() = default;

    virtual const char* Name() const = 0;
    // One line, e.g. "send FILE.KVX --port DEV --address LIST [sign options]".
    virtual const char* Synopsis() const = 0;
    // What the command does, for the tool's overview and the command's own --help.
    virtual const char* Description() const = 0;

    // Declares the command's positionals and options on its subcommand.
    virtual void AddOptions(CLI::App& command) = 0;
    // Runs with the parsed values; returns the exit status.
    virtual int Run() = 0;
};
