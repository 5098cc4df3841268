#pragma once
// A real ser2net serving one device over RFC 2217 on the loopback address, started and
// stopped by the test that owns it.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

class CSer2netServer {
public:
    static constexpr const char* kProgram = "/usr/sbin/ser2net";

    static bool Installed() { return ::access(kProgram, X_OK) == 0; }

    ~CSer2netServer() { Stop(); }

    // Serves device on 127.0.0.1 with lineSettings as the server's own (ser2net's
    // "19200m81" notation). False with the reason when it does not come up in time.
    bool Start(const std::string& device, const std::string& workDir, const std::string& lineSettings, std::string& error)
    {
        m_nPort = FreePort();
        if (m_nPort == 0) {
            error = "no free TCP port on 127.0.0.1";
            return false;
        }
        const std::string config = workDir + "/ser2net-" + std::to_string(m_nPort) + ".yaml";
        m_szLog = workDir + "/ser2net-" + std::to_string(m_nPort) + ".log";
        {
            std::ofstream f(config);
            f << "connection: &sign\n"
              << "  accepter: telnet(rfc2217),tcp,127.0.0.1," << m_nPort << "\n"
              << "  connector: serialdev," << device << "," << lineSettings << ",local\n";
            if (!f) {
                error = "cannot write " + config;
                return false;
            }
        }
        m_nPid = ::fork();
        if (m_nPid < 0) {
            error = "fork failed";
            return false;
        }
        if (m_nPid == 0) {
            const int log = ::open(m_szLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (log >= 0) {
                ::dup2(log, 1);
                ::dup2(log, 2);
            }
            ::execl(kProgram, "ser2net", "-n", "-d", "-c", config.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        // Listening is seen in the kernel's socket table, without a connection that
        // ser2net would count as a client.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < deadline) {
            if (Listening()) return true;
            int status = 0;
            if (::waitpid(m_nPid, &status, WNOHANG) == m_nPid) {
                m_nPid = -1;
                error = "ser2net ended at once: " + Log();
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        error = "ser2net did not listen within 5 s: " + Log();
        Stop();
        return false;
    }

    void Stop()
    {
        if (m_nPid <= 0) return;
        ::kill(m_nPid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        int status = 0;
        while (::waitpid(m_nPid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                ::kill(m_nPid, SIGKILL);
                ::waitpid(m_nPid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        m_nPid = -1;
    }

    int Port() const { return m_nPort; }
    std::string Url() const { return "rfc2217://127.0.0.1:" + std::to_string(m_nPort); }
    std::string Log() const
    {
        std::ifstream f(m_szLog);
        std::stringstream text;
        text << f.rdbuf();
        return text.str();
    }

private:
    static int FreePort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return 0;
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = 0;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(fd);
        return port;
    }

    bool Listening() const
    {
        std::ifstream tcp("/proc/net/tcp");
        std::string line;
        char wanted[16];
        std::snprintf(wanted, sizeof wanted, ":%04X ", m_nPort);
        while (std::getline(tcp, line))
            if (line.find(wanted) != std::string::npos && line.find(" 0A ") != std::string::npos) return true;
        return false;
    }

    pid_t m_nPid = -1;
    int m_nPort = 0;
    std::string m_szLog;
};
