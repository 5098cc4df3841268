#pragma once
// A line that only records: every byte written is kept with the ninth bit it was sent
// with, and a responder (a simulated sign, or a script) decides what comes back. Lets a
// test check what goes on the wire, parity included, which a pseudo-terminal cannot show.

#include "comm/ISerialTransport.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct CWireByte {
    std::uint8_t m_byValue = 0;
    EParity m_eParity = EParity::Space;
};

class CRecordingTransport : public ISerialTransport {
public:
    // Given the bytes of one write and their parity, returns the bytes the line answers.
    using Responder = std::function<std::vector<std::uint8_t>(const std::uint8_t*, std::size_t, EParity)>;

    CSerialOpenResult Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return m_bOpen; }
    CDeviceCheck CheckDevice(const std::string& device) override;
    bool SetParity(EParity parity) override;
    bool Write(const std::uint8_t* bytes, std::size_t count) override;
    int Read(std::uint8_t* buffer, std::size_t size, int timeoutMs) override;
    void FlushInput() override { m_aInput.clear(); }
    void Drain() override {}

    void SetResponder(Responder responder) { m_fnResponder = std::move(responder); }
    // Bytes that are waiting to be read, as if they had arrived on the line.
    void Inject(const std::vector<std::uint8_t>& bytes) { m_aInput.insert(m_aInput.end(), bytes.begin(), bytes.end()); }

    std::vector<CWireByte> m_aWire;      // everything written, in order
    std::vector<std::string> m_aOpened;  // devices opened, in order
    int m_nParitySwitches = 0;           // changes of the ninth bit
    bool m_bDeviceFree = true;           // false: CheckDevice reports the device busy
    bool m_bDeviceMissing = false;       // true: CheckDevice reports it missing (ENOENT)
    bool m_bOpenFails = false;
    int m_nCloseCount = 0;

private:
    bool m_bOpen = false;
    EParity m_eParity = EParity::Mark;
    Responder m_fnResponder;
    std::deque<std::uint8_t> m_aInput;
};
