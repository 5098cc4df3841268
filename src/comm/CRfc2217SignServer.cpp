#include "comm/CRfc2217SignServer.h"

#include "comm/CRfc2217Transport.h"
#include "comm/CSimulatorLine.h"
#include "comm/TelnetCodec.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Telnet;

namespace {

long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool SendAll(int fd, const std::vector<std::uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n > 0) done += std::size_t(n);
        else if (n < 0 && errno == EINTR) continue;
        else if (n < 0 && errno == EAGAIN) {
            pollfd p {fd, POLLOUT, 0};
            if (::poll(&p, 1, 1000) <= 0) return false;
        } else return false;
    }
    return true;
}

// What a server says first: it wants the client to use the COM-PORT-OPTION, and both
// directions binary.
std::vector<std::uint8_t> Greeting()
{
    std::vector<std::uint8_t> out;
    AppendNegotiation(out, DO, OPT_COM_PORT);
    AppendNegotiation(out, WILL, OPT_BINARY);
    AppendNegotiation(out, DO, OPT_BINARY);
    return out;
}

} // namespace

struct CRfc2217SignServer::Client {
    int fd = -1;
    CTelnetDecoder decoder;
    // Line settings: every connection starts from the server's own.
    std::uint32_t baud = 9600;
    std::uint8_t dataSize = 8;
    std::uint8_t parity = PARITY_NONE;
    std::uint8_t stopSize = STOPSIZE_1;
    std::uint8_t control = CONTROL_NO_FLOW;
    bool optionAgreed = false;
    std::vector<std::uint8_t> toClient;
};

CRfc2217SignServer::~CRfc2217SignServer()
{
    Stop();
    for (int& fd : m_aStopPipe)
        if (fd >= 0) ::close(fd), fd = -1;
}

std::string CRfc2217SignServer::Url() const
{
    const bool v6 = m_szHost.find(':') != std::string::npos;
    return std::string(CRfc2217Transport::kScheme) + (v6 ? "[" + m_szHost + "]" : m_szHost) + ":" + std::to_string(m_nPort);
}

bool CRfc2217SignServer::Listen(const std::string& url, std::string& error)
{
    std::string port;
    if (!CRfc2217Transport::ParseUrl(url, m_szHost, port, error, true)) return false;
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(m_szHost.c_str(), port.c_str(), &hints, &found);
    if (rc != 0) {
        error = "host " + m_szHost + " not found (" + ::gai_strerror(rc) + ")";
        return false;
    }
    int err = 0;
    for (addrinfo* a = found; a && m_nListen < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            err = errno;
            continue;
        }
        const int one = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        if (::bind(fd, a->ai_addr, a->ai_addrlen) != 0 || ::listen(fd, 4) != 0) {
            err = errno;
            ::close(fd);
            continue;
        }
        sockaddr_storage bound {};
        socklen_t len = sizeof bound;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
        m_nPort = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                                    : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
        m_nListen = fd;
    }
    ::freeaddrinfo(found);
    if (m_nListen < 0) {
        error = "cannot listen on " + m_szHost + ":" + port + ": " + std::strerror(err);
        return false;
    }
    if (::pipe2(m_aStopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}

bool CRfc2217SignServer::Start()
{
    if (m_nListen < 0 || m_thread.joinable()) return false;
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CRfc2217SignServer::Stop()
{
    if (m_thread.joinable()) {
        const char c = 'q';
        (void)!::write(m_aStopPipe[1], &c, 1);
        m_thread.join();
    }
    // A stopped server is gone from the network: a client is refused, not left waiting.
    if (m_nListen >= 0) ::close(m_nListen);
    m_nListen = -1;
}

std::string CRfc2217SignServer::ReceivedParity() const
{
    return m_received.Parity();
}

std::vector<std::uint8_t> CRfc2217SignServer::ReceivedBytes() const
{
    return m_received.Bytes();
}

void CRfc2217SignServer::Run()
{
    for (;;) {
        pollfd p[2] = {{m_nListen, POLLIN, 0}, {m_aStopPipe[0], POLLIN, 0}};
        const int r = ::poll(p, 2, -1);
        if (r < 0 && errno != EINTR) return;
        if (p[1].revents & POLLIN) return;
        if (!(p[0].revents & POLLIN)) continue;
        Client client;
        client.fd = ::accept4(m_nListen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client.fd < 0) continue;
        const int one = 1;
        ::setsockopt(client.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        ++m_nConnections;
        m_bServing = true;
        const bool stopped = !Serve(client);
        // A client that left in the middle of a frame leaves no half frame behind.
        m_simulator.AbortFrame();
        m_bServing = false;
        ::close(client.fd);
        if (stopped) return;
    }
}

bool CRfc2217SignServer::Serve(Client& client)
{
    struct Received {
        std::uint8_t byte;
        long long dueNs;  // when its last bit has left the server's line
    };
    struct Outgoing {
        CSimOutput output;
        long long dueNs;
    };
    std::deque<Received> received;
    std::deque<Outgoing> outgoing;
    long long rxFreeNs = 0;
    long long txFreeNs = 0;
    const long long byteNs = m_bPaced ? CSimulatorLine::kByteTimeNs : 0;
    const long long startNs = NowNs();

    // The line's bytes that are due go to the signs with the parity in force now: a
    // change takes effect for whatever the server has not sent yet.
    auto deliverDue = [&](long long now) {
        while (!received.empty() && received.front().dueNs <= now) {
            const std::uint8_t b = received.front().byte;
            received.pop_front();
            const char ninth = client.parity == PARITY_MARK ? 'M' : client.parity == PARITY_SPACE ? 'S' : 'N';
            m_received.Append(&b, 1, ninth);
            // A sender that gave up waiting for its 'K' has begun its next frame.
            if (!outgoing.empty() && outgoing.back().output.m_bIsReady) {
                outgoing.pop_back();
                txFreeNs = outgoing.empty() ? 0 : outgoing.back().dueNs;
                m_simulator.AbortFrame();
            }
            for (CSimOutput& o : m_simulator.FeedWithNinthBit(b, ninth == 'M', (now - startNs) / 1000000)) {
                long long due = now + o.m_nDelayMs * 1000000LL;
                if (due < txFreeNs) due = txFreeNs;
                due += byteNs * (long long)o.m_aBytes.size();
                txFreeNs = due;
                outgoing.push_back({std::move(o), due});
            }
        }
    };
    auto answer = [&](std::uint8_t command, const std::vector<std::uint8_t>& value) {
        AppendComPort(client.toClient, std::uint8_t(command + CPO_SERVER_OFFSET), value);
    };
    std::array<bool, 256> refused {};

    client.decoder.m_fnData = [&](std::uint8_t b) {
        const long long now = NowNs();
        rxFreeNs = (rxFreeNs > now ? rxFreeNs : now) + byteNs;
        received.push_back({b, rxFreeNs});
    };
    client.decoder.m_fnNegotiation = [&](std::uint8_t command, std::uint8_t option) {
        const bool known = option == OPT_BINARY || option == OPT_COM_PORT;
        if (command == WILL && option == OPT_COM_PORT && !client.optionAgreed) {
            client.optionAgreed = true;
            // Like ser2net: the modem state, unasked, as soon as the option is agreed.
            answer(CPO_NOTIFY_MODEMSTATE, {0});
        } else if ((command == WILL || command == DO) && !known && !refused[option]) {
            refused[option] = true;
            AppendNegotiation(client.toClient, command == WILL ? DONT : WONT, option);
        }
    };
    client.decoder.m_fnSubnegotiation = [&](std::uint8_t option, const std::vector<std::uint8_t>& payload) {
        if (option != OPT_COM_PORT || payload.empty() || m_bNeverAcknowledge) return;
        const std::uint8_t command = payload[0];
        const std::uint8_t v = payload.size() > 1 ? payload[1] : 0;
        switch (command) {
        case CPO_SIGNATURE: {
            const std::string name = "vemt-sign";
            answer(CPO_SIGNATURE, std::vector<std::uint8_t>(name.begin(), name.end()));
            break;
        }
        case CPO_SET_BAUDRATE:
            if (payload.size() == 5) {
                const std::uint32_t baud = std::uint32_t(payload[1]) << 24 | std::uint32_t(payload[2]) << 16 |
                                           std::uint32_t(payload[3]) << 8 | payload[4];
                if (baud != 0) client.baud = baud;
            }
            answer(command, {std::uint8_t(client.baud >> 24), std::uint8_t(client.baud >> 16),
                             std::uint8_t(client.baud >> 8), std::uint8_t(client.baud)});
            break;
        case CPO_SET_DATASIZE:
            if (v >= 5 && v <= 8) client.dataSize = v;
            answer(command, {client.dataSize});
            break;
        case CPO_SET_PARITY:
            if (v >= PARITY_NONE && v <= PARITY_SPACE && !(m_bRefuseStickParity && v >= PARITY_MARK)) {
                // Whatever the line has sent by now went with the old parity.
                deliverDue(NowNs());
                client.parity = v;
            }
            answer(command, {client.parity});
            break;
        case CPO_SET_STOPSIZE:
            if (v >= 1 && v <= 3) client.stopSize = v;
            answer(command, {client.stopSize});
            break;
        case CPO_SET_CONTROL:
            if (v == CONTROL_NO_FLOW) client.control = v;
            answer(command, {v == 0 ? client.control : v});
            break;
        case CPO_PURGE_DATA:
            if (v == PURGE_RECEIVE || v == PURGE_BOTH) outgoing.clear(), txFreeNs = 0;
            if (v == PURGE_TRANSMIT || v == PURGE_BOTH) received.clear(), rxFreeNs = 0;
            answer(command, {v});
            break;
        default:
            answer(command, std::vector<std::uint8_t>(payload.begin() + 1, payload.end()));
            break;
        }
    };

    client.toClient = Greeting();
    for (;;) {
        if (!client.toClient.empty()) {
            if (!SendAll(client.fd, client.toClient)) return true;
            client.toClient.clear();
        }
        long long nextNs = -1;
        if (!received.empty()) nextNs = received.front().dueNs;
        if (!outgoing.empty() && (nextNs < 0 || outgoing.front().dueNs < nextNs)) nextNs = outgoing.front().dueNs;
        int timeoutMs = -1;
        if (nextNs >= 0) {
            const long long left = nextNs - NowNs();
            timeoutMs = left <= 0 ? 0 : int((left + 999999) / 1000000);
        }
        pollfd p[3] = {{client.fd, POLLIN, 0}, {m_nListen, POLLIN, 0}, {m_aStopPipe[0], POLLIN, 0}};
        const int r = ::poll(p, 3, timeoutMs);
        if (r < 0 && errno != EINTR) return true;
        if (p[2].revents & POLLIN) return false;
        if (p[1].revents & POLLIN) {
            // The line has its client: another one is told so and let go.
            const int other = ::accept4(m_nListen, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (other >= 0) {
                std::vector<std::uint8_t> busy = Greeting();
                const std::string text = "Port already in use\r\n";
                busy.insert(busy.end(), text.begin(), text.end());
                SendAll(other, busy);
                ::close(other);
            }
        }
        if (p[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            std::uint8_t buffer[4096];
            const ssize_t n = ::recv(client.fd, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return true;
            if (n > 0) client.decoder.Feed(buffer, std::size_t(n));
        }

        deliverDue(NowNs());
        const long long now = NowNs();
        while (!outgoing.empty() && outgoing.front().dueNs <= now) {
            const CSimOutput o = std::move(outgoing.front().output);
            outgoing.pop_front();
            if (o.m_bHangUp) return true;
            AppendData(client.toClient, o.m_aBytes.data(), o.m_aBytes.size());
        }
    }
}
