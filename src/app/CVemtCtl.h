#pragma once
// The command-line tool's commands without the process around them: arguments in, exit
// status out, output and errors to the given streams. Each command is one entry of a
// table, so new ones (sending, device commands) join the same help and dispatch.

#include <iosfwd>
#include <string>
#include <vector>

class CVemtApp;
class CVemtDoc;
class IProfile;

class CVemtCtl {
public:
    static constexpr int kExitOk = 0;
    static constexpr int kExitFailed = 1;  // a file could not be read, was damaged or not written
    static constexpr int kExitUsage = 2;   // unknown command, bad or missing options

    CVemtCtl(const IProfile& profile, std::string vemtIniPath, std::ostream& out, std::ostream& err);

    // args without the program name.
    int Run(const std::vector<std::string>& args);

    // The sign parameters from the profile (with the corrections the sign-parameters
    // dialog makes on loading) overridden by --width, --height, --colors, --screens and
    // --version-code. False, with a message on err, for a value out of range.
    bool ResolveSignParams(const std::vector<std::pair<std::string, std::string>>& options, CVemtApp& app);

private:
    int Help();
    int Export(const std::vector<std::string>& args);
    int Send(const std::vector<std::string>& args);
    // Reads a document file (with the profile's text layout rules) and says why not.
    bool LoadDocument(const std::string& path, CVemtDoc& doc, CVemtApp& app);

    const IProfile& m_profile;
    std::string m_szVemtIniPath;
    std::ostream& m_out;
    std::ostream& m_err;
};
