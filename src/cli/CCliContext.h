#pragma once
// What every command of the command-line tool works with: the user's profile, the path
// of "Vemt.ini", and the streams for results (out) and for progress and errors (err).

#include <iosfwd>
#include <string>

class IProfile;

struct CCliContext {
    const IProfile& m_profile;
    std::string m_szVemtIniPath;
    std::ostream& m_out;
    std::ostream& m_err;
};

// Exit statuses shared by every command.
constexpr int kCliExitOk = 0;
constexpr int kCliExitFailed = 1;  // a file could not be read or written, or a sign did not accept
constexpr int kCliExitUsage = 2;   // unknown command, bad or missing options
