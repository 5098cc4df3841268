#include "document/CParFile.h"

#include "app/CVemtApp.h"
#include "document/CFileBytes.h"
#include "document/CFd.h"
#include "programme/CScreenInfoTable.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Put32(std::vector<std::uint8_t>& out, std::int32_t v)
{
    const auto u = static_cast<std::uint32_t>(v);
    out.push_back(std::uint8_t(u));
    out.push_back(std::uint8_t(u >> 8));
    out.push_back(std::uint8_t(u >> 16));
    out.push_back(std::uint8_t(u >> 24));
}

std::int32_t Get32(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) |
                                     (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24));
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

}  // namespace

std::string CParFile::GetParPath(const std::string& docPath)
{
    const auto slash = docPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = docPath.rfind('.');
    const std::size_t baseEnd = (dot == std::string::npos || dot < nameStart) ? docPath.size() : dot;
    return docPath.substr(0, baseEnd) + ".par";
}

std::vector<std::uint8_t> CParFile::BuildBytes(const CVemtApp& app)
{
    std::vector<std::uint8_t> bytes(app.m_aScreenInfo.size() * SCREENINFO_BYTES);
    for (std::size_t i = 0; i < app.m_aScreenInfo.size(); ++i)
        WriteScreenInfoBytes(app.m_aScreenInfo[i], bytes.data() + i * SCREENINFO_BYTES);
    Put32(bytes, app.m_nClockX);
    Put32(bytes, app.m_nClockY);
    Put32(bytes, app.m_bDisplaySecond);
    return bytes;
}

ParResult CParFile::ParseBytes(const std::uint8_t* data, std::size_t size, CVemtApp& app)
{
    CScreenInfoTable table(app);
    table.Free();
    if (size < kClockBytes) return ParResult::TooShort;
    const std::size_t count = (size - kClockBytes) / SCREENINFO_BYTES;
    if (count > kMaxRecords) return ParResult::TooLarge;

    app.m_aScreenInfo.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        app.m_aScreenInfo[i] = ReadScreenInfoBytes(data + i * SCREENINFO_BYTES);
    const std::uint8_t* clock = data + count * SCREENINFO_BYTES;
    app.m_nClockX = Get32(clock);
    app.m_nClockY = Get32(clock + 4);
    app.m_bDisplaySecond = Get32(clock + 8);
    return ParResult::Ok;
}

ParResult CParFile::WriteParFile(const std::string& docPath, int screenCount, CVemtApp& app)
{
    if (docPath.empty()) return ParResult::NoPath;
    const std::string target = GetParPath(docPath);
    std::string temp = target + ".XXXXXX";

    CFd fd(::mkstemp(temp.data()));
    if (fd.Get() < 0) return ParResult::OpenFailed;

    // mkstemp makes the file private; give it the mode the companion had, or the one a
    // newly created file gets.
    struct stat old {};
    mode_t mode;
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.Get(), mode);

    CScreenInfoTable(app).ResizeScreenInfo(screenCount);
    const std::vector<std::uint8_t> bytes = BuildBytes(app);

    const bool written = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return ParResult::WriteFailed;
    }

    // The rename itself reaches the disk only with the directory.
    CFd dir(::open(CFileBytes::DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return ParResult::Ok;
}

ParResult CParFile::ReadParFile(const std::string& docPath, CVemtApp& app)
{
    CScreenInfoTable table(app);
    if (docPath.empty()) {
        table.Free();
        return ParResult::NoPath;
    }

    constexpr std::size_t kMaxBytes = kClockBytes + (kMaxRecords + 1) * SCREENINFO_BYTES;
    std::vector<std::uint8_t> bytes;
    std::string reason;
    switch (CFileBytes::Read(GetParPath(docPath), kMaxBytes, bytes, reason)) {
    case CFileBytes::ReadResult::Ok: break;
    case CFileBytes::ReadResult::OpenFailed:
    case CFileBytes::ReadResult::NotRegular: table.Free(); return ParResult::OpenFailed;
    case CFileBytes::ReadResult::ReadFailed: table.Free(); return ParResult::ReadFailed;
    case CFileBytes::ReadResult::TooLarge: table.Free(); return ParResult::TooLarge;
    }
    return ParseBytes(bytes.data(), bytes.size(), app);
}
