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

std::string CSimulatorLine::ReceivedParity() const
{
    return m_received.Parity();
}

std::vector<std::uint8_t> CSimulatorLine::ReceivedBytes() const
{
    return m_received.Bytes();
}

bool CSimulatorLine::Emit(const std::vector<std::uint8_t>& bytes)
{
    return m_nMaster >= 0 && WriteAll(m_nMaster, bytes.data(), bytes.size());
}

void CSimulatorLine::HangUp()
{
    // Closing both ends of the pseudo-terminal is a cable pulled out: the sender's reads
    // report a hang-up and its writes fail.
    m_bHungUp = true;
    ::close(m_nMaster);
    m_nMaster = -1;
    ::close(m_nSlaveHold);
    m_nSlaveHold = -1;
}

void CSimulatorLine::Run()
{
    struct Received {
        std::uint8_t byte;
        long long dueNs;  // when its last bit has reached the signs
    };
    struct Outgoing {
        CSimOutput output;
        long long dueNs;  // when it has reached the sender
    };
    std::deque<Received> received;
    std::deque<Outgoing> outgoing;
    long long rxFreeNs = 0;
    long long txFreeNs = 0;
    const long long byteNs = m_bPaced ? kByteTimeNs : 0;
    const long long startNs = NowNs();

    for (;;) {
        long long nextNs = -1;
        if (!received.empty()) nextNs = received.front().dueNs;
        if (!outgoing.empty() && (nextNs < 0 || outgoing.front().dueNs < nextNs)) nextNs = outgoing.front().dueNs;
        int timeoutMs = -1;
        if (nextNs >= 0) {
            const long long left = nextNs - NowNs();
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
            if (m_bRecordParity && n > 0) {
                termios tio {};
                char parity = 'N';
                if (::tcgetattr(m_nMaster, &tio) == 0 && (tio.c_cflag & CMSPAR)) parity = (tio.c_cflag & PARODD) ? 'M' : 'S';
                m_received.Append(buffer, std::size_t(n), parity);
            }
            for (ssize_t i = 0; i < n; ++i) {
                rxFreeNs = (rxFreeNs > now ? rxFreeNs : now) + byteNs;
                received.push_back({buffer[i], rxFreeNs});
            }
        } else if (p[0].revents & (POLLHUP | POLLERR)) {
            // Not expected while this side holds the slave open; never spin on it.
            pollfd stop {m_aStopPipe[0], POLLIN, 0};
            if (::poll(&stop, 1, 5) > 0) return;
        }

        long long now = NowNs();
        while (!received.empty() && received.front().dueNs <= now) {
            const std::uint8_t b = received.front().byte;
            received.pop_front();
            // A sender that gave up waiting for its 'K' has begun its next frame: the
            // late 'K' is never sent and the frame it would have opened is forgotten.
            if (!outgoing.empty() && outgoing.back().output.m_bIsReady) {
                outgoing.pop_back();
                txFreeNs = outgoing.empty() ? 0 : outgoing.back().dueNs;
                m_simulator.AbortFrame();
            }
            for (CSimOutput& o : m_simulator.Feed(&b, 1, (now - startNs) / 1000000)) {
                long long due = now + o.m_nDelayMs * 1000000LL;
                if (due < txFreeNs) due = txFreeNs;
                due += byteNs * (long long)o.m_aBytes.size();
                txFreeNs = due;
                outgoing.push_back({std::move(o), due});
            }
        }

        now = NowNs();
        while (!outgoing.empty() && outgoing.front().dueNs <= now) {
            const CSimOutput o = std::move(outgoing.front().output);
            outgoing.pop_front();
            if (o.m_bHangUp) {
                HangUp();
                return;
            }
            if (!WriteAll(m_nMaster, o.m_aBytes.data(), o.m_aBytes.size())) return;
        }
    }
}
