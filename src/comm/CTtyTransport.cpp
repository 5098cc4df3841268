#include "comm/CTtyTransport.h"

#include "comm/CommTexts.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kBaudRate = 19200;

} // namespace

std::string CTtyTransport::DescribeError(int err)
{
    std::string reason = std::strerror(err);
    if (err == EACCES || err == EPERM) reason += std::string(" (") + CommTexts::kDialoutHint + ")";
    else if (err == ENOENT || err == ENODEV || err == ENXIO) reason += std::string(" (") + CommTexts::kNoSuchDeviceHint + ")";
    else if (err == EBUSY || err == EWOULDBLOCK) reason += std::string(" (") + CommTexts::kHeldHint + ")";
    else if (err == ENOTTY || err == EISDIR) reason += std::string(" (") + CommTexts::kNotSerialHint + ")";
    return reason;
}

namespace {

// The pid written in a lock file, or 0 when there is none or it cannot be read.
int LockOwner(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return 0;
    int pid = 0;
    if (std::fscanf(f, "%d", &pid) != 1) pid = 0;
    std::fclose(f);
    return pid;
}

bool ProcessAlive(int pid)
{
    return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM);
}

// Held by another live process according to the UUCP lock convention.
bool LockedByOther(const std::string& lockPath)
{
    const int owner = LockOwner(lockPath);
    return owner != 0 && owner != getpid() && ProcessAlive(owner);
}

} // namespace

CTtyTransport::~CTtyTransport()
{
    Close();
}

std::string CTtyTransport::LockFilePath(const std::string& device)
{
    std::string name = device;
    if (name.rfind("/dev/", 0) == 0) name = name.substr(5);
    for (char& c : name)
        if (c == '/') c = '_';
    return "/var/lock/LCK.." + name;
}

bool CTtyTransport::TakeLockFile(const std::string& device, int& err)
{
    const std::string path = LockFilePath(device);
    if (LockedByOther(path)) {
        err = EBUSY;
        return false;
    }
    // Our own lock belongs to another open of this process, which the flock below
    // turns away; a lock of a process that is gone is stale and replaced.
    const int owner = LockOwner(path);
    if (owner == getpid()) return true;
    if (owner != 0) ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno == EEXIST) {
            err = EBUSY;
            return false;
        }
        // No writable lock directory: the flock on the device still guards it.
        return true;
    }
    char text[16];
    const int len = std::snprintf(text, sizeof text, "%10d\n", int(getpid()));
    const bool written = ::write(fd, text, size_t(len)) == len;
    ::close(fd);
    if (!written) {
        ::unlink(path.c_str());
        return true;
    }
    m_szLockFile = path;
    return true;
}

void CTtyTransport::ReleaseLockFile()
{
    if (!m_szLockFile.empty()) {
        if (LockOwner(m_szLockFile) == getpid()) ::unlink(m_szLockFile.c_str());
        m_szLockFile.clear();
    }
}

CSerialOpenResult CTtyTransport::Open(const std::string& device)
{
    Close();
    CSerialOpenResult result;
    int err = 0;
    if (!TakeLockFile(device, err)) {
        result.m_nErrno = err;
        result.m_szReason = DescribeError(err);
        return result;
    }
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.m_nErrno = errno;
        result.m_szReason = DescribeError(result.m_nErrno);
        ReleaseLockFile();
        return result;
    }
    // TIOCEXCL keeps ordinary users out but not root; the advisory lock covers both.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        result.m_nErrno = EBUSY;
        result.m_szReason = DescribeError(EBUSY);
        ::close(fd);
        ReleaseLockFile();
        return result;
    }
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0) {
        result.m_nErrno = errno;
        result.m_szReason = DescribeError(result.m_nErrno);
        ::close(fd);
        ReleaseLockFile();
        return result;
    }
    ::ioctl(fd, TIOCEXCL);
    m_nFd = fd;
    m_szDevice = device;
    m_bParityIgnored = false;
    if (!ApplyLineFormat(EParity::Mark)) {
        result.m_nErrno = errno ? errno : EINVAL;
        result.m_szReason = "the device refused 19200 baud, 8 data bits, 1 stop bit";
        Close();
        return result;
    }
    FlushInput();
    result.m_bOk = true;
    return result;
}

void CTtyTransport::Close()
{
    if (m_nFd >= 0) {
        // Left set, TIOCEXCL would keep the next ordinary open of this device out.
        ::ioctl(m_nFd, TIOCNXCL);
        ::flock(m_nFd, LOCK_UN);
        ::close(m_nFd);
        m_nFd = -1;
    }
    ReleaseLockFile();
    m_szDevice.clear();
}

CDeviceCheck CTtyTransport::CheckDevice(const std::string& device)
{
    auto fault = [](EDeviceState state, int err) { return CDeviceCheck {state, err, DescribeError(err)}; };
    if (LockedByOther(LockFilePath(device))) return fault(EDeviceState::Busy, EBUSY);
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        // TIOCEXCL held by another program turns an ordinary user away with EBUSY.
        return fault(err == EBUSY ? EDeviceState::Busy : EDeviceState::Unavailable, err);
    }
    CDeviceCheck check;
    termios tio {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) check = fault(EDeviceState::Busy, EBUSY);
    else if (::tcgetattr(fd, &tio) != 0) check = fault(EDeviceState::Unavailable, errno);
    ::close(fd);
    return check;
}

bool CTtyTransport::ApplyLineFormat(EParity parity)
{
    termios tio {};
    if (::tcgetattr(m_nFd, &tio) != 0) return false;
    // Binary frames: no line editing, no echo, no translation, and no software or
    // hardware flow control, which would swallow 0x11/0x13 or stall on an unwired CTS.
    tio.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    tio.c_iflag |= IGNPAR;
    tio.c_oflag &= ~tcflag_t(OPOST);
    tio.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARODD | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD | PARENB | CMSPAR;
    if (parity == EParity::Mark) tio.c_cflag |= PARODD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B19200);
    ::cfsetospeed(&tio, B19200);
    errno = 0;
    const int rc = ::tcsetattr(m_nFd, TCSANOW, &tio);
    const int setErr = errno;

    // A driver may accept the call and ignore part of it, or refuse a call that changes
    // nothing it honours: what counts is what the device reports back.
    termios back {};
    if (::tcgetattr(m_nFd, &back) != 0) return false;
    const bool speedOk = ::cfgetospeed(&back) == B19200;
    const bool frameOk = (back.c_cflag & CSIZE) == CS8 && !(back.c_cflag & CSTOPB) &&
                         !(back.c_lflag & ICANON) && !(back.c_iflag & (IXON | ICRNL));
    if (!speedOk || !frameOk) {
        errno = rc != 0 ? setErr : EINVAL;
        return false;
    }
    const bool parityOk = (back.c_cflag & PARENB) && (back.c_cflag & CMSPAR) &&
                          bool(back.c_cflag & PARODD) == (parity == EParity::Mark);
    if (!parityOk) m_bParityIgnored = true;
    m_eParity = parity;
    return true;
}

bool CTtyTransport::SetParity(EParity parity)
{
    if (m_nFd < 0) return false;
    if (parity == m_eParity) return true;
    // Bytes still in the UART would leave with the new ninth bit.
    ::tcdrain(m_nFd);
    return ApplyLineFormat(parity);
}

bool CTtyTransport::Write(const std::uint8_t* bytes, std::size_t count)
{
    if (m_nFd < 0) return false;
    // A write may wait for the line, but never longer than the bytes need on the wire
    // plus a second: a device that takes nothing is a dead line, not a slow one.
    const auto wireMs = std::chrono::milliseconds((count * 11 * 1000) / kBaudRate + 1000);
    const auto deadline = std::chrono::steady_clock::now() + wireMs;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_nFd, bytes + done, count - done);
        if (n > 0) {
            done += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd p {m_nFd, POLLOUT, 0};
        const int r = ::poll(&p, 1, int(left.count()));
        if (r < 0 && errno != EINTR) return false;
        if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) return false;
    }
    return true;
}

int CTtyTransport::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    if (m_nFd < 0) return -1;
    pollfd p {m_nFd, POLLIN, 0};
    int r;
    do {
        r = ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
    } while (r < 0 && errno == EINTR);
    if (r < 0) return -1;
    if (r == 0) return 0;
    if (p.revents & POLLIN) {
        const ssize_t n = ::read(m_nFd, buffer, size);
        if (n > 0) return int(n);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
        return -1;
    }
    return (p.revents & (POLLERR | POLLHUP | POLLNVAL)) ? -1 : 0;
}

void CTtyTransport::Drain()
{
    if (m_nFd >= 0) ::tcdrain(m_nFd);
}

void CTtyTransport::FlushInput()
{
    if (m_nFd >= 0) ::tcflush(m_nFd, TCIFLUSH);
}
