#pragma once
// The timed-send log: one report per file sent by the schedule, appended to
// "TimingSendErrorLog.ini" in the user's data folder ($XDG_DATA_HOME/Vemt, by default
// ~/.local/share/Vemt). The file only grows; its lines end in CR LF as the log readers
// of sign installers expect.

#include "app/CSendErrorItem.h"

#include <ctime>
#include <string>
#include <vector>

class CTimingSendLog {
public:
    // The log in the user's data folder.
    static std::string DefaultPath();

    explicit CTimingSendLog(std::string path = DefaultPath()) : m_szPath(std::move(path)) {}
    const std::string& Path() const { return m_szPath; }

    // The report for one file: a line of 82 "=", the success line (stamped with `now`)
    // or the error header and every collected message, and the "=" line again.
    static std::string FormatReport(const std::string& fileName, const std::vector<CSendErrorItem>& errors,
                                    std::time_t now);

    // Appends the report, creating the folder and the file when needed. False when the
    // file could not be written; the report is then dropped.
    bool Append(const std::string& report) const;

private:
    std::string m_szPath;
};
