#pragma once
// Fakes shared by the communication tests.

#include "comm/CRecordingTransport.h"
#include "comm/CSignSimulator.h"
#include "app/IMessageSink.h"
#include "comm/IProgressSink.h"

#include <chrono>
#include <string>
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
