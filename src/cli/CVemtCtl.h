#pragma once
// The command-line tool without the process around it: arguments in, exit status out,
// output and errors to the given streams. The commands themselves are ICliCommand
// classes (see CliCommands.h); this class parses the command line with CLI11 and hands
// it to the one named.

#include "cli/CCliContext.h"

#include <iosfwd>
#include <string>
#include <vector>

class IProfile;

class CVemtCtl {
public:
    static constexpr int kExitOk = kCliExitOk;
    static constexpr int kExitFailed = kCliExitFailed;
    static constexpr int kExitUsage = kCliExitUsage;

    CVemtCtl(const IProfile& profile, std::string vemtIniPath, std::ostream& out, std::ostream& err);

    // args without the program name.
    int Run(const std::vector<std::string>& args);

private:
    CCliContext m_context;
};
