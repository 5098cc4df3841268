#pragma once
// Fakes shared by the communication tests.

#include "comm/CRecordingTransport.h"
#include "comm/CSignSimulator.h"
#include "app/IMessageSink.h"
#include "comm/IProgressSink.h"

#include <chrono>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

struct CMessageList : IMessageSink {
    struct Item {
        std::string text, caption;
    };
    std::vector<Item> items;
    MessageAnswer ShowMessage(const std::string& t, const std::string& c, MessageButtons = MessageButtons::Ok,
                              MessageIcon = MessageIcon::None) override
    {
        items.push_back({t, c});
        return MessageAnswer::Ok;
    }
};

struct CProgressLog : IProgressSink {
    std::vector<std::string> texts;
    int low = -1, high = -1;
    std::vector<int> positions;
    void SetText(const std::string& t) override { texts.push_back(t); }
    void SetRange(int l, int h) override { low = l, high = h; }
    void SetPos(int p) override { positions.push_back(p); }
    void SetStep(int) override {}
    void StepIt() override {}
};

// The recording line answers through the simulated signs, at once.
inline void ConnectSimulator(CRecordingTransport& line, CSignSimulator& sim)
{
    line.SetResponder([&sim](const std::uint8_t* bytes, std::size_t n, EParity) {
        const long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count();
        std::vector<std::uint8_t> reply;
        for (const CSimOutput& o : sim.Feed(bytes, n, now)) reply.insert(reply.end(), o.m_aBytes.begin(), o.m_aBytes.end());
        return reply;
    });
}

// Another program's connection to a TCP port on the loopback address: it holds a device
// server's port without speaking.
class CRawTcpClient {
public:
    ~CRawTcpClient() { Close(); }
    bool Connect(int port)
    {
        m_nFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(std::uint16_t(port));
        return m_nFd >= 0 && ::connect(m_nFd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    void Close()
    {
        if (m_nFd >= 0) ::close(m_nFd);
        m_nFd = -1;
    }

private:
    int m_nFd = -1;
};

// A server notices a client's leaving a moment later: waits (at most two seconds) until
// the device reports free again.
template <typename Transport>
bool WaitUntilFree(Transport& transport, const std::string& device)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < deadline) {
        if (transport.CheckDevice(device).m_eState == EDeviceState::Free) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}
