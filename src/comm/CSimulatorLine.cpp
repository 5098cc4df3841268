#include "comm/CSimulatorLine.h"

#include <cerrno>
#include <chrono>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, bytes + done, count - done);
        if (n > 0) done += std::size_t(n);
        else if (n < 0 && errno == EINTR) continue;
        else if (n < 0 && errno == EAGAIN) {
            pollfd p {fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0) return false;
        } else return false;
    }
    return true;
}

} // namespace

CSimulatorLine::~CSimulatorLine()
{
    Stop();
    if (m_nMaster >= 0) ::close(m_nMaster);
    if (m_nSlaveHold >= 0) ::close(m_nSlaveHold);
    for (int& fd : m_aStopPipe)
        if (fd >= 0) ::close(fd), fd = -1;
    if (!m_szLink.empty()) ::unlink(m_szLink.c_str());
}

bool CSimulatorLine::Open(const std::string& linkPath)
{
    char name[256] = {};
    termios raw {};
    ::cfmakeraw(&raw);
    raw.c_cflag |= CLOCAL | CREAD;
    if (::openpty(&m_nMaster, &m_nSlaveHold, name, &raw, nullptr) != 0) return false;
    ::fcntl(m_nMaster, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_nSlaveHold, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_nMaster, F_SETFL, ::fcntl(m_nMaster, F_GETFL) | O_NONBLOCK);
    m_szSlave = name;
    if (::pipe2(m_aStopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    if (!linkPath.empty()) {
        ::unlink(linkPath.c_str());
        if (::symlink(m_szSlave.c_str(), linkPath.c_str()) != 0) return false;
        m_szLink = linkPath;
    }
    return true;
}

bool CSimulatorLine::Start()
{
    if (m_nMaster < 0 || m_thread.joinable()) return false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CSimulatorLine::Stop()
{
    if (m_thread.joinable()) {
        const char c = 'q';
        (void)!::write(m_aStopPipe[1], &c, 1);
        m_thread.join();
    }
}

bool CSimulatorLine::Pause(long long ns)
{
    const long long end = NowNs() + ns;
    for (;;) {
        const long long left = end - NowNs();
        if (left <= 0) return true;
        pollfd p {m_aStopPipe[0], POLLIN, 0};
        const int ms = int((left + 999999) / 1000000);
        if (::poll(&p, 1, ms) > 0) return false;
    }
}

void CSimulatorLine::HangUp()
{
    // Closing both ends of the pseudo-terminal is a cable pulled out: the sender's reads
    // report a hang-up and its writes fail.
    ::close(m_nMaster);
    m_nMaster = -1;
    ::close(m_nSlaveHold);
    m_nSlaveHold = -1;
    m_bHungUp = true;
}

void CSimulatorLine::Run()
{
    struct Pending {
        std::uint8_t byte;
        long long dueNs;
    };
    std::deque<Pending> received;
    long long lineFreeNs = 0;
    const auto startNs = NowNs();
    auto msSinceStart = [&](long long ns) { return (ns - startNs) / 1000000; };

    for (;;) {
        int timeoutMs = -1;
        if (!received.empty()) {
            const long long left = received.front().dueNs - NowNs();
            timeoutMs = left <= 0 ? 0 : int((left + 999999) / 1000000);
        }
        pollfd p[2] = {{m_nMaster, POLLIN, 0}, {m_aStopPipe[0], POLLIN, 0}};
        const int r = ::poll(p, 2, timeoutMs);
        if (r < 0 && errno != EINTR) return;
        if (p[1].revents & POLLIN) return;
        if (p[0].revents & POLLIN) {
            std::uint8_t buffer[4096];
            const ssize_t n = ::read(m_nMaster, buffer, sizeof buffer);
            const long long now = NowNs();
            // With pacing each byte reaches the sign one byte time after the one before.
            for (ssize_t i = 0; i < n; ++i) {
                lineFreeNs = (lineFreeNs > now ? lineFreeNs : now) + (m_bPaced ? kByteTimeNs : 0);
                received.push_back({buffer[i], lineFreeNs});
            }
        } else if (p[0].revents & (POLLHUP | POLLERR)) {
            // Nobody has the line open right now; it comes back with the next open.
            if (!Pause(2000000)) return;
        }

        std::vector<std::uint8_t> due;
        const long long now = NowNs();
        while (!received.empty() && received.front().dueNs <= now) {
            due.push_back(received.front().byte);
            received.pop_front();
        }
        if (due.empty()) continue;
        // Bytes go in one at a time so an answer leaves before later bytes are looked at.
        for (std::size_t i = 0; i < due.size(); ++i) {
            const auto outputs = m_simulator.Feed(&due[i], 1, msSinceStart(NowNs()));
            for (const CSimOutput& o : outputs) {
                if (o.m_bHangUp) {
                    HangUp();
                    return;
                }
                if (o.m_nDelayMs > 0 && !Pause(o.m_nDelayMs * 1000000LL)) return;
                if (o.m_bIsReady && o.m_nDelayMs > 0) {
                    // A sender that gave up on the 'K' has started its next frame already.
                    pollfd q {m_nMaster, POLLIN, 0};
                    if (i + 1 < due.size() || !received.empty() || (::poll(&q, 1, 0) > 0 && (q.revents & POLLIN))) {
                        m_simulator.AbortFrame();
                        continue;
                    }
                }
                if (m_bPaced && !Pause(kByteTimeNs * (long long)o.m_aBytes.size())) return;
                if (!WriteAll(m_nMaster, o.m_aBytes.data(), o.m_aBytes.size())) return;
            }
        }
    }
}
