#include "comm/CTimingSendLog.h"

#include "comm/CTimedMessageSink.h"
#include "comm/CommTexts.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace {

template <typename... Args>
std::string Format(const char* format, const Args&... args)
{
    const int n = std::snprintf(nullptr, 0, format, args...);
    std::string text(std::size_t(n > 0 ? n : 0), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

const std::string kSeparator = std::string(82, '=') + "\r\n";

} // namespace

std::string CTimingSendLog::DefaultPath()
{
    // XDG's rule for the data folder: an unset, empty or relative XDG_DATA_HOME means
    // ~/.local/share.
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
    }
    return (base / "Vemt" / CommTexts::kTimingLogName).string();
}

std::string CTimingSendLog::FormatReport(const std::string& fileName, const std::vector<CSendErrorItem>& errors,
                                         std::time_t now)
{
    std::string report = kSeparator;
    if (errors.empty()) {
        report += Format(CommTexts::kTimingLogSuccess, CTimedMessageSink::TimeStamp(now).c_str(), fileName.c_str());
    } else {
        report += Format(CommTexts::kTimingLogErrors, fileName.c_str());
        for (const CSendErrorItem& item : errors) report += item.m_szText + "\r\n";
    }
    report += kSeparator;
    return report;
}

bool CTimingSendLog::Append(const std::string& report) const
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(m_szPath).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const int fd = ::open(m_szPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const char* p = report.data();
    std::size_t left = report.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    if (::close(fd) != 0) ok = false;
    return ok;
}
