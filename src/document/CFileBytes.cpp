#include "document/CFileBytes.h"

#include "document/CFd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Reason(int err)
{
    return std::strerror(err);
}

}  // namespace

std::string CFileBytes::DirectoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool CFileBytes::WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                 std::string& error)
{
    error.clear();
    if (path.empty()) {
        error = "no file name";
        return false;
    }
    // Replacing by rename would get round a file's write protection; honour it instead.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        error = Reason(errno);
        return false;
    }
    std::string temp = path + ".XXXXXX";
    CFd fd(::mkstemp(temp.data()));
    if (fd.Get() < 0) {
        error = Reason(errno);
        return false;
    }

    // mkstemp makes the file private; keep the mode the old file had, or the one a newly
    // created file gets.
    struct stat old {};
    mode_t mode;
    if (::stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd.Get(), mode);

    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    int err = 0;
    while (left > 0) {
        const ssize_t n = ::write(fd.Get(), p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            break;
        }
        p += n;
        left -= std::size_t(n);
    }
    if (err == 0 && ::fsync(fd.Get()) != 0) err = errno;
    if (!fd.Close() && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        error = Reason(err);
        return false;
    }

    // The rename itself reaches the disk only with the directory.
    CFd dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
    return true;
}

CFileBytes::ReadResult CFileBytes::Read(const std::string& path, std::size_t maxBytes,
                                        std::vector<std::uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    error.clear();
    // Non-blocking, so that a FIFO under the document's name cannot stall the open.
    CFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0) {
        error = Reason(errno);
        return ReadResult::OpenFailed;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0) {
        error = Reason(errno);
        return ReadResult::ReadFailed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = "not a regular file";
        return ReadResult::NotRegular;
    }
    // The size reported beforehand only sizes the first allocation; what is actually read
    // decides, so a file that grows meanwhile cannot push memory past maxBytes.
    bytes.reserve(std::min<std::size_t>(std::size_t(std::max<off_t>(st.st_size, 0)), maxBytes));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = Reason(errno);
            bytes.clear();
            return ReadResult::ReadFailed;
        }
        if (n == 0) break;
        if (bytes.size() + std::size_t(n) > maxBytes) {
            error = "the file is larger than " + std::to_string(maxBytes) + " bytes";
            bytes.clear();
            bytes.shrink_to_fit();
            return ReadResult::TooLarge;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return ReadResult::Ok;
}
