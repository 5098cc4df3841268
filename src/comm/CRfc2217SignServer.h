#pragma once
// Puts a CSignSimulator behind a serial device server of its own: it listens for one
// RFC 2217 client at a time on a TCP port and plays the line the server would drive.
// Unlike a pseudo-terminal it knows the parity of every byte (the client sets it with
// SET-PARITY), so the signs find each address byte by its ninth bit.
//
// Like a real server it applies a parity change as soon as it reads the request, to the
// bytes that have not left its line yet: with pacing at 19200 baud a sender that
// switches too early sends the tail of a frame with the wrong ninth bit, as it would to a
// real sign. A second client is turned away with "Port already in use", as ser2net does.

#include "comm/CReceivedLineLog.h"
#include "comm/CSignSimulator.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class CRfc2217SignServer {
public:
    explicit CRfc2217SignServer(CSignSimulator& simulator) : m_simulator(simulator) {}
    ~CRfc2217SignServer();
    CRfc2217SignServer(const CRfc2217SignServer&) = delete;
    CRfc2217SignServer& operator=(const CRfc2217SignServer&) = delete;

    // Listens on rfc2217://HOST:PORT (port 0: any free one); false with the reason.
    bool Listen(const std::string& url, std::string& error);
    int Port() const { return m_nPort; }
    std::string Url() const;
    // Serves on its own thread until Stop, which also stops listening.
    bool Start();
    void Stop();

    // The ninth bit of every byte that reached the signs ('M' or 'S', 'N' for any other
    // parity), and the bytes themselves.
    std::string ReceivedParity() const;
    std::vector<std::uint8_t> ReceivedBytes() const;
    int Connections() const { return m_nConnections; }
    // Whether a client holds the line now; false before the server closes its side.
    bool Serving() const { return m_bServing; }

    // Set before Start.
    bool m_bPaced = false;
    // A device that cannot do stick parity: SET-PARITY MARK or SPACE is answered with
    // the parity it keeps (NONE).
    bool m_bRefuseStickParity = false;
    // A server that agrees to the option and then never answers a command.
    bool m_bNeverAcknowledge = false;

private:
    struct Client;
    void Run();
    // Until the client leaves (true) or the server is stopped (false).
    bool Serve(Client& client);

    CSignSimulator& m_simulator;
    int m_nListen = -1;
    int m_nPort = 0;
    std::string m_szHost;
    int m_aStopPipe[2] = {-1, -1};
    std::thread m_thread;
    std::atomic<int> m_nConnections {0};
    std::atomic<bool> m_bServing {false};
    CReceivedLineLog m_received;
};
