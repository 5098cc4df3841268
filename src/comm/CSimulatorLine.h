#pragma once
// Puts a CSignSimulator on a pseudo-terminal: the sender opens SlavePath() as if it were
// a serial port. Optionally paces the line like a real one at 19200 baud, 11 bits a
// byte, so that timing measured against it means something.

#include "comm/CReceivedLineLog.h"
#include "comm/CSignSimulator.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class CSimulatorLine {
public:
    explicit CSimulatorLine(CSignSimulator& simulator) : m_simulator(simulator) {}
    ~CSimulatorLine();
    CSimulatorLine(const CSimulatorLine&) = delete;
    CSimulatorLine& operator=(const CSimulatorLine&) = delete;

    // Creates the pseudo-terminal; linkPath, when given, becomes a symlink to it.
    bool Open(const std::string& linkPath = "");
    const std::string& SlavePath() const { return m_szSlave; }
    // Runs the line on its own thread until Stop (or until a fault hangs it up).
    bool Start();
    void Stop();
    bool HungUp() const { return m_bHungUp; }
    // Puts bytes on the line towards the sender, as noise or a stale answer would.
    bool Emit(const std::vector<std::uint8_t>& bytes);

    // The ninth bit of every byte received, as the line's settings give it: 'M' (mark),
    // 'S' (space) or 'N' (no stick parity). A pseudo-terminal never carries parity, but it
    // keeps the setting that its other side made, so a serial device server driving it
    // shows here which parity each byte was sent with. Kept only with m_bRecordParity.
    std::string ReceivedParity() const;
    std::vector<std::uint8_t> ReceivedBytes() const;

    bool m_bPaced = false;
    bool m_bRecordParity = false;
    static constexpr long long kByteTimeNs = 11LL * 1000000000LL / 19200;  // 572,916 ns

private:
    void Run();
    void HangUp();

    CSignSimulator& m_simulator;
    int m_nMaster = -1;
    int m_nSlaveHold = -1;  // keeps the line up between the sender's opens
    int m_aStopPipe[2] = {-1, -1};
    std::string m_szSlave;
    std::string m_szLink;
    std::thread m_thread;
    std::atomic<bool> m_bHungUp {false};
    CReceivedLineLog m_received;
};
