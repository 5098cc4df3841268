#include "comm/CRfc2217Transport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <set>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace Telnet;

namespace {

using Clock = std::chrono::steady_clock;

// 11 bits a byte (start, 8 data, ninth bit, stop) at 19200 baud.
constexpr auto kByteTime = std::chrono::nanoseconds(11LL * 1000000000LL / 19200);

int MsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

std::string Seconds(int ms)
{
    const int tenths = (ms + 50) / 100;
    return std::to_string(tenths / 10) + (tenths % 10 ? "." + std::to_string(tenths % 10) : "") + " s";
}

// getaddrinfo has no time-out of its own: it runs on a thread of its own, and a caller
// that stops waiting leaves the result to be freed there.
struct CLookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    int rc = 0;
    addrinfo* result = nullptr;
};

int LookUp(const std::string& host, const std::string& port, int timeoutMs, addrinfo*& result)
{
    auto lookup = std::make_shared<CLookup>();
    std::thread([lookup, host, port] {
        addrinfo hints {};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int rc = ::getaddrinfo(host.c_str(), port.c_str(), &hints, &found);
        std::lock_guard<std::mutex> lock(lookup->mutex);
        if (lookup->abandoned) {
            if (rc == 0) ::freeaddrinfo(found);
            return;
        }
        lookup->rc = rc;
        lookup->result = rc == 0 ? found : nullptr;
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return lookup->finished; })) {
        lookup->abandoned = true;
        return EAI_AGAIN;
    }
    result = lookup->result;
    return lookup->rc;
}

// The servers this program has open: one command at a time talks to a server's port, as
// with a tty, even where a server would take a second client.
std::mutex g_openMutex;
std::set<std::string> g_open;

std::string PortKey(const std::string& host, const std::string& port)
{
    std::string key = host;
    for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
    return key + ":" + port;
}

bool Claim(const std::string& key)
{
    std::lock_guard<std::mutex> lock(g_openMutex);
    return g_open.insert(key).second;
}

bool Claimed(const std::string& key)
{
    std::lock_guard<std::mutex> lock(g_openMutex);
    return g_open.count(key) != 0;
}

void Release(const std::string& key)
{
    std::lock_guard<std::mutex> lock(g_openMutex);
    g_open.erase(key);
}

std::uint8_t ParityValue(EParity parity)
{
    return parity == EParity::Mark ? PARITY_MARK : PARITY_SPACE;
}

} // namespace

bool CRfc2217Transport::IsUrl(const std::string& device)
{
    return device.size() >= std::strlen(kScheme) &&
           std::equal(kScheme, kScheme + std::strlen(kScheme), device.begin(),
                      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool CRfc2217Transport::ParseUrl(const std::string& device, std::string& host, std::string& port, std::string& error,
                                 bool portZeroAllowed)
{
    const std::string usage = "not a device server address: write rfc2217://HOST:PORT";
    if (!IsUrl(device)) {
        error = usage;
        return false;
    }
    std::string rest = device.substr(std::strlen(kScheme));
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    std::size_t colon;
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
            error = usage;
            return false;
        }
        host = rest.substr(1, close - 1);
        colon = close + 1;
    } else {
        colon = rest.rfind(':');
        if (colon == std::string::npos) {
            error = usage + " (the port number is missing)";
            return false;
        }
        host = rest.substr(0, colon);
        if (host.find(':') != std::string::npos) {
            error = usage + " (an IPv6 address goes in brackets: rfc2217://[::1]:PORT)";
            return false;
        }
    }
    port = rest.substr(colon + 1);
    if (host.empty()) {
        error = usage + " (the host is missing)";
        return false;
    }
    const bool digits = !port.empty() && port.size() <= 5 &&
                        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoi(port) < (portZeroAllowed ? 0 : 1) || std::stoi(port) > 65535) {
        error = usage + " (the port must be a number from 1 to 65535)";
        return false;
    }
    return true;
}

CRfc2217Transport::CRfc2217Transport()
{
    m_decoder.m_fnData = [this](std::uint8_t b) { OnData(b); };
    m_decoder.m_fnNegotiation = [this](std::uint8_t c, std::uint8_t o) { OnNegotiation(c, o); };
    m_decoder.m_fnSubnegotiation = [this](std::uint8_t o, const std::vector<std::uint8_t>& p) { OnSubnegotiation(o, p); };
}

CRfc2217Transport::~CRfc2217Transport()
{
    Close();
}

void CRfc2217Transport::Close()
{
    if (m_nSocket >= 0) {
        // A server frees its port only once it has seen the client go: leaving in order,
        // and waiting (briefly) for its side to close, lets the next command's connection
        // find the port free instead of "in use".
        if (!m_bPeerClosed && ::shutdown(m_nSocket, SHUT_WR) == 0) {
            const auto deadline = Clock::now() + std::chrono::milliseconds(kCloseWaitMs);
            std::uint8_t buffer[512];
            for (;;) {
                pollfd p {m_nSocket, POLLIN, 0};
                const int left = MsLeft(deadline);
                if (left == 0 || ::poll(&p, 1, left) <= 0) break;
                const ssize_t n = ::recv(m_nSocket, buffer, sizeof buffer, 0);
                if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) break;
            }
        }
        ::close(m_nSocket);
        m_nSocket = -1;
    }
    if (!m_szClaim.empty()) Release(m_szClaim);
    m_szClaim.clear();
    m_decoder.Reset();
    m_aReply.clear();
    m_aData.clear();
    m_szPeerText.clear();
    m_abWillSent.fill(false);
    m_abDoSent.fill(false);
    m_abRefusalSent.fill(false);
    m_bComPortAgreed = m_bComPortRefused = m_bBinaryRefused = m_bSuspended = false;
    m_anAnswers.fill(0);
    m_bPurging = false;
    m_bFailed = false;
    m_bPeerClosed = false;
    m_confirmed = {};
    m_eParity = EParity::Mark;
    m_tLineFree = {};
    m_bAnsweredSinceWrite = true;
    m_margin = std::chrono::milliseconds(kMinMarginMs);
}

void CRfc2217Transport::Fail(const std::string& reason)
{
    m_bFailed = true;
    m_szError = reason;
}

std::string CRfc2217Transport::PeerWords() const
{
    std::string words;
    for (char c : m_szPeerText)
        if (c >= 0x20 && c < 0x7F) words += c;
    while (!words.empty() && words.back() == ' ') words.pop_back();
    return words;
}

CSerialOpenResult CRfc2217Transport::Open(const std::string& device)
{
    Close();
    m_szError.clear();
    CSerialOpenResult result;
    std::string error;
    if (!ParseUrl(device, m_szHost, m_szPort, error)) {
        result.m_nErrno = EINVAL;
        result.m_szReason = error;
        m_szError = error;
        return result;
    }
    const std::string key = PortKey(m_szHost, m_szPort);
    if (!Claim(key)) {
        result.m_nErrno = EBUSY;
        result.m_szReason = "another command of this program is using " + Where();
        m_szError = result.m_szReason;
        return result;
    }
    m_szClaim = key;
    if (!Connect(m_szHost, m_szPort, result) || !Negotiate(result) || !ApplyLineSettings(result)) {
        m_szError = result.m_szReason;
        Close();
        return result;
    }
    result.m_bOk = true;
    return result;
}

bool CRfc2217Transport::Connect(const std::string& host, const std::string& port, CSerialOpenResult& result)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_nConnectTimeoutMs);
    addrinfo* found = nullptr;
    const int rc = LookUp(host, port, m_nConnectTimeoutMs, found);
    if (rc != 0) {
        result.m_nErrno = rc == EAI_AGAIN ? ETIMEDOUT : EHOSTUNREACH;
        result.m_szReason = rc == EAI_AGAIN ? "host " + host + " not found within " + Seconds(m_nConnectTimeoutMs) +
                                                  " (time-out looking up the name)"
                                            : "host " + host + " not found (" + ::gai_strerror(rc) + ")";
        return false;
    }
    int lastErr = ETIMEDOUT;
    for (addrinfo* a = found; a && m_nSocket < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0) {
            lastErr = errno;
            continue;
        }
        int err = 0;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) != 0) {
            err = errno;
            if (err == EINPROGRESS) {
                pollfd p {fd, POLLOUT, 0};
                int r;
                do r = ::poll(&p, 1, MsLeft(deadline));
                while (r < 0 && errno == EINTR);
                if (r == 0) err = ETIMEDOUT;
                else {
                    socklen_t len = sizeof err;
                    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
                }
            }
        }
        if (err != 0) {
            lastErr = err;
            ::close(fd);
            continue;
        }
        // Each address byte is a write of its own: it must leave at once, not wait for
        // more to fill a segment.
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        m_nSocket = fd;
    }
    ::freeaddrinfo(found);
    if (m_nSocket >= 0) return true;
    result.m_nErrno = lastErr;
    if (lastErr == ECONNREFUSED)
        result.m_szReason = "connection refused by " + Where() + " (no device server listens on that port)";
    else if (lastErr == ETIMEDOUT)
        result.m_szReason = "no answer from " + Where() + " within " + Seconds(m_nConnectTimeoutMs) + " (time-out)";
    else
        result.m_szReason = "cannot connect to " + Where() + ": " + std::strerror(lastErr);
    return false;
}

bool CRfc2217Transport::Negotiate(CSerialOpenResult& result)
{
    std::vector<std::uint8_t> hello;
    AppendNegotiation(hello, WILL, OPT_COM_PORT);
    AppendNegotiation(hello, WILL, OPT_BINARY);
    AppendNegotiation(hello, DO, OPT_BINARY);
    m_abWillSent[OPT_COM_PORT] = m_abWillSent[OPT_BINARY] = m_abDoSent[OPT_BINARY] = true;
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_nAckTimeoutMs);
    if (!SendRaw(hello, deadline)) {
        result.m_nErrno = EPIPE;
        result.m_szReason = "the device server at " + Where() + " closed the connection";
        return false;
    }
    while (!m_bComPortAgreed && !m_bComPortRefused && !m_bPeerClosed && Clock::now() < deadline) Pump(MsLeft(deadline));
    if (m_bComPortRefused) {
        result.m_nErrno = EPROTONOSUPPORT;
        result.m_szReason = "the server at " + Where() +
                            " does not offer serial port control (RFC 2217); give its port a telnet(rfc2217) accepter";
        return false;
    }
    const std::string words = PeerWords();
    if (!m_bComPortAgreed && m_bPeerClosed && words.find("in use") != std::string::npos) {
        result.m_nErrno = EBUSY;
        result.m_szReason = "another client holds the device server's port (it answered \"" + words + "\")";
        return false;
    }
    if (!m_bComPortAgreed) {
        result.m_nErrno = m_bPeerClosed ? EPIPE : ETIMEDOUT;
        result.m_szReason = m_bPeerClosed ? "the device server at " + Where() + " closed the connection"
                                          : "no RFC 2217 answer from " + Where() + " within " + Seconds(m_nAckTimeoutMs) +
                                                " (time-out)";
        return false;
    }
    return true;
}

bool CRfc2217Transport::ApplyLineSettings(CSerialOpenResult& result)
{
    struct Setting {
        std::uint8_t code;
        std::vector<std::uint8_t> value;
        const char* name;
    };
    const std::vector<Setting> settings = {
        {CPO_SET_BAUDRATE,
         {std::uint8_t(kBaudRate >> 24), std::uint8_t(kBaudRate >> 16), std::uint8_t(kBaudRate >> 8), std::uint8_t(kBaudRate)},
         "SET-BAUDRATE"},
        {CPO_SET_DATASIZE, {8}, "SET-DATASIZE"},
        {CPO_SET_STOPSIZE, {STOPSIZE_1}, "SET-STOPSIZE"},
        {CPO_SET_CONTROL, {CONTROL_NO_FLOW}, "SET-CONTROL"},
        // SPACE first, then MARK: both must work before a frame goes out, and an open
        // port starts with the ninth bit set for the address byte.
        {CPO_SET_PARITY, {PARITY_SPACE}, "SET-PARITY"},
        {CPO_SET_PARITY, {PARITY_MARK}, "SET-PARITY"},
    };
    auto fail = [&](int err, const std::string& reason) {
        result.m_nErrno = err;
        result.m_szReason = reason;
        return false;
    };
    for (const Setting& s : settings) {
        std::vector<std::uint8_t> answer;
        const auto sent = Clock::now();
        if (!Request(s.code, s.value, answer)) {
            const std::string words = PeerWords();
            if (m_bPeerClosed && words.find("in use") != std::string::npos)
                return fail(EBUSY, "another client holds the device server's port (it answered \"" + words + "\")");
            if (m_bPeerClosed)
                return fail(EPIPE, "the device server at " + Where() + " closed the connection" +
                                       (words.empty() ? "" : " (it answered \"" + words + "\")"));
            return fail(ETIMEDOUT, "the device server at " + Where() + " did not acknowledge " + s.name + " within " +
                                       Seconds(m_nAckTimeoutMs) + " (time-out)");
        }
        m_margin = std::max(m_margin, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent) +
                                          std::chrono::milliseconds(5));
        switch (s.code) {
        case CPO_SET_BAUDRATE:
            m_confirmed.m_nBaud = answer.size() == 4 ? (std::uint32_t(answer[0]) << 24 | std::uint32_t(answer[1]) << 16 |
                                                        std::uint32_t(answer[2]) << 8 | answer[3])
                                                     : 0;
            if (m_confirmed.m_nBaud != kBaudRate)
                return fail(EINVAL, "the device server set " + std::to_string(m_confirmed.m_nBaud) + " baud instead of 19200");
            break;
        case CPO_SET_DATASIZE:
            m_confirmed.m_byDataSize = answer.empty() ? 0 : answer[0];
            if (m_confirmed.m_byDataSize != 8)
                return fail(EINVAL, "the device server set " + std::to_string(m_confirmed.m_byDataSize) +
                                        " data bits instead of 8");
            break;
        case CPO_SET_STOPSIZE:
            m_confirmed.m_byStopSize = answer.empty() ? 0 : answer[0];
            if (m_confirmed.m_byStopSize != STOPSIZE_1)
                return fail(EINVAL, "the device server did not set 1 stop bit");
            break;
        case CPO_SET_CONTROL:
            m_confirmed.m_byControl = answer.empty() ? 0 : answer[0];
            if (m_confirmed.m_byControl != CONTROL_NO_FLOW)
                return fail(EINVAL, "the device server did not turn flow control off");
            break;
        case CPO_SET_PARITY: {
            const std::uint8_t wanted = s.value[0];
            m_confirmed.m_byParity = answer.empty() ? 0 : answer[0];
            if (m_confirmed.m_byParity != wanted)
                return fail(EOPNOTSUPP, std::string("the device server cannot switch the parity between MARK and SPACE "
                                                    "(asked for ") +
                                            ParityName(wanted) + ", it answered " + ParityName(m_confirmed.m_byParity) +
                                            "), which addressing the signs needs; nothing was sent");
            break;
        }
        default: break;
        }
    }
    m_eParity = EParity::Mark;
    FlushInput();
    if (m_bFailed) return fail(ETIMEDOUT, m_szError);
    return true;
}

bool CRfc2217Transport::Pump(int timeoutMs)
{
    if (m_nSocket < 0 || m_bPeerClosed) return false;
    pollfd p {m_nSocket, POLLIN, 0};
    int r;
    do r = ::poll(&p, 1, timeoutMs < 0 ? 0 : timeoutMs);
    while (r < 0 && errno == EINTR);
    if (r < 0) {
        m_bPeerClosed = true;
        return false;
    }
    if (r == 0) return true;
    std::uint8_t buffer[4096];
    const ssize_t n = ::recv(m_nSocket, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        m_bPeerClosed = true;
        return false;
    }
    if (n > 0) m_decoder.Feed(buffer, std::size_t(n));
    if (!m_aReply.empty()) {
        std::vector<std::uint8_t> reply;
        reply.swap(m_aReply);
        SendRaw(reply, Clock::now() + std::chrono::milliseconds(m_nAckTimeoutMs));
    }
    return true;
}

bool CRfc2217Transport::SendRaw(const std::vector<std::uint8_t>& bytes, Clock::time_point deadline)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (m_nSocket < 0 || m_bPeerClosed) return false;
        if (!m_bSuspended) {
            const ssize_t n = ::send(m_nSocket, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n > 0) {
                done += std::size_t(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) {
                m_bPeerClosed = true;
                return false;
            }
        }
        const int left = MsLeft(deadline);
        if (left == 0) return false;
        // While the server takes nothing it may still talk: its answers are read (and
        // a resume after a flow-control suspend is seen) instead of deadlocking.
        pollfd p {m_nSocket, short(POLLIN | (m_bSuspended ? 0 : POLLOUT)), 0};
        int r;
        do r = ::poll(&p, 1, left);
        while (r < 0 && errno == EINTR);
        if (r < 0) return false;
        if (p.revents & POLLIN) {
            std::uint8_t buffer[4096];
            const ssize_t n = ::recv(m_nSocket, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                m_bPeerClosed = true;
                return false;
            }
            if (n > 0) m_decoder.Feed(buffer, std::size_t(n));
        } else if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            m_bPeerClosed = true;
            return false;
        }
    }
    return true;
}

bool CRfc2217Transport::Request(std::uint8_t code, const std::vector<std::uint8_t>& value, std::vector<std::uint8_t>& answer)
{
    if (m_nSocket < 0 || m_bPeerClosed) return false;
    const int before = m_anAnswers[code];
    std::vector<std::uint8_t> out;
    AppendComPort(out, code, value);
    const auto deadline = Clock::now() + std::chrono::milliseconds(m_nAckTimeoutMs);
    if (!SendRaw(out, deadline)) return false;
    return WaitForAnswer(code, before, answer, deadline);
}

bool CRfc2217Transport::WaitForAnswer(std::uint8_t code, int countBefore, std::vector<std::uint8_t>& answer,
                                      Clock::time_point deadline)
{
    while (m_anAnswers[code] == countBefore) {
        const int left = MsLeft(deadline);
        if (left == 0 || !Pump(left)) return false;
    }
    answer = m_aAnswer[code];
    return true;
}

void CRfc2217Transport::OnData(std::uint8_t byte)
{
    m_aData.push_back(byte);
    m_bAnsweredSinceWrite = true;
    if (m_szPeerText.size() < 200) m_szPeerText += char(byte);
}

void CRfc2217Transport::OnNegotiation(std::uint8_t command, std::uint8_t option)
{
    const bool wanted = option == OPT_BINARY || option == OPT_SGA || option == OPT_COM_PORT;
    switch (command) {
    case WILL:
        // The server offers to do something: binary and no go-ahead are welcome.
        if (option == OPT_BINARY || option == OPT_SGA) {
            if (!m_abDoSent[option]) AppendNegotiation(m_aReply, DO, option), m_abDoSent[option] = true;
        } else if (!m_abRefusalSent[option]) {
            AppendNegotiation(m_aReply, DONT, option);
            m_abRefusalSent[option] = true;
        }
        break;
    case WONT:
        if (option == OPT_BINARY) m_bBinaryRefused = true;
        break;
    case DO:
        if (wanted) {
            if (!m_abWillSent[option]) AppendNegotiation(m_aReply, WILL, option), m_abWillSent[option] = true;
            if (option == OPT_COM_PORT) m_bComPortAgreed = true;
        } else if (!m_abRefusalSent[option]) {
            AppendNegotiation(m_aReply, WONT, option);
            m_abRefusalSent[option] = true;
        }
        break;
    case DONT:
        if (option == OPT_COM_PORT) m_bComPortRefused = true;
        if (option == OPT_BINARY) m_bBinaryRefused = true;
        break;
    default: break;
    }
}

void CRfc2217Transport::OnSubnegotiation(std::uint8_t option, const std::vector<std::uint8_t>& payload)
{
    if (option != OPT_COM_PORT || payload.empty()) return;
    const std::uint8_t code = payload[0];
    if (code < CPO_SERVER_OFFSET || code >= CPO_SERVER_OFFSET + m_anAnswers.size()) return;
    const std::uint8_t command = std::uint8_t(code - CPO_SERVER_OFFSET);
    // Line and modem state notices (106, 107) come unasked, for instance right after
    // the option is agreed; they carry nothing the sender needs.
    if (command == CPO_FLOWCONTROL_SUSPEND) m_bSuspended = true;
    else if (command == CPO_FLOWCONTROL_RESUME) m_bSuspended = false;
    else if (command == CPO_PURGE_DATA && m_bPurging) {
        // Everything the server sent before this answer was on the line before the purge.
        m_aData.clear();
        m_bPurging = false;
    } else if (command == CPO_SIGNATURE && payload.size() == 1) {
        // An empty signature from the server asks for ours.
        const std::string name = "vemt";
        AppendComPort(m_aReply, CPO_SIGNATURE, std::vector<std::uint8_t>(name.begin(), name.end()));
    }
    m_aAnswer[command].assign(payload.begin() + 1, payload.end());
    ++m_anAnswers[command];
}

CDeviceCheck CRfc2217Transport::CheckDevice(const std::string& device)
{
    std::string host, port, error;
    if (ParseUrl(device, host, port, error) && Claimed(PortKey(host, port))) {
        if (m_nSocket >= 0 && m_szClaim == PortKey(host, port)) return {};
        return {EDeviceState::Busy, EBUSY, "another command of this program is using " + host + ":" + port};
    }
    CRfc2217Transport probe;
    probe.m_nConnectTimeoutMs = m_nConnectTimeoutMs;
    probe.m_nAckTimeoutMs = m_nAckTimeoutMs;
    const CSerialOpenResult r = probe.Open(device);
    if (r.m_bOk) return {};
    return {r.m_nErrno == EBUSY ? EDeviceState::Busy : EDeviceState::Unavailable, r.m_nErrno, r.m_szReason};
}

void CRfc2217Transport::WaitUntilLineDrained()
{
    // An answer from the line after our last write means the sign has had it all.
    if (m_bAnsweredSinceWrite) return;
    const auto until = m_tLineFree + m_margin;
    while (Clock::now() < until && !m_bPeerClosed) Pump(MsLeft(until) + 1);
}

bool CRfc2217Transport::SetParity(EParity parity)
{
    if (m_nSocket < 0 || m_bFailed) return false;
    if (parity == m_eParity) return true;
    WaitUntilLineDrained();
    std::vector<std::uint8_t> answer;
    if (!Request(CPO_SET_PARITY, {ParityValue(parity)}, answer)) {
        Fail(m_bPeerClosed ? "the device server at " + Where() + " closed the connection"
                           : "the device server at " + Where() + " did not acknowledge SET-PARITY within " +
                                 Seconds(m_nAckTimeoutMs) + " (time-out)");
        return false;
    }
    m_confirmed.m_byParity = answer.empty() ? 0 : answer[0];
    if (m_confirmed.m_byParity != ParityValue(parity)) {
        Fail(std::string("the device server answered ") + ParityName(m_confirmed.m_byParity) + " parity instead of " +
             ParityName(ParityValue(parity)) + "; nothing more is sent");
        return false;
    }
    m_eParity = parity;
    return true;
}

bool CRfc2217Transport::Write(const std::uint8_t* bytes, std::size_t count)
{
    if (m_nSocket < 0 || m_bFailed || m_bPeerClosed) return false;
    if (count == 0) return true;
    std::vector<std::uint8_t> out;
    out.reserve(count + count / 8);
    AppendData(out, bytes, count);
    const auto now = Clock::now();
    m_tLineFree = std::max(m_tLineFree, now) + kByteTime * count;
    m_bAnsweredSinceWrite = false;
    // As on a tty: the bytes' wire time plus a second, and the server's latency.
    const auto deadline = m_tLineFree + std::chrono::seconds(1) + std::chrono::milliseconds(m_nAckTimeoutMs);
    if (!SendRaw(out, deadline)) {
        Fail(m_bPeerClosed ? "the device server at " + Where() + " closed the connection"
                           : "the device server at " + Where() + " took no data (time-out)");
        return false;
    }
    return true;
}

int CRfc2217Transport::Read(std::uint8_t* buffer, std::size_t size, int timeoutMs)
{
    if (m_nSocket < 0) return -1;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    while (m_aData.empty()) {
        if (m_bPeerClosed || m_bFailed) return -1;
        const int left = MsLeft(deadline);
        if (!Pump(left)) break;
        if (left == 0) break;
    }
    if (m_aData.empty()) return (m_bPeerClosed || m_bFailed) ? -1 : 0;
    std::size_t n = 0;
    while (n < size && !m_aData.empty()) {
        buffer[n++] = m_aData.front();
        m_aData.pop_front();
    }
    return int(n);
}

void CRfc2217Transport::FlushInput()
{
    if (m_nSocket < 0 || m_bFailed) return;
    // Bytes already on their way to us are dropped when the server's answer arrives:
    // they came before it; the purge takes what the server still holds.
    m_bPurging = true;
    std::vector<std::uint8_t> answer;
    if (!Request(CPO_PURGE_DATA, {PURGE_RECEIVE}, answer)) {
        Fail(m_bPeerClosed ? "the device server at " + Where() + " closed the connection"
                           : "the device server at " + Where() + " did not acknowledge PURGE-DATA within " +
                                 Seconds(m_nAckTimeoutMs) + " (time-out)");
        m_aData.clear();
    }
    m_bPurging = false;
}

void CRfc2217Transport::Drain()
{
    if (m_nSocket < 0 || m_bFailed) return;
    WaitUntilLineDrained();
}
