#pragma once
// A file descriptor that is closed on every way out of a scope.

#include <unistd.h>

class CFd {
public:
    explicit CFd(int fd) : m_nFd(fd) {}
    ~CFd() { Close(); }
    CFd(const CFd&) = delete;
    CFd& operator=(const CFd&) = delete;
    int Get() const { return m_nFd; }
    // False when close itself failed (a write may not have reached the file).
    bool Close()
    {
        if (m_nFd < 0) return true;
        const bool ok = ::close(m_nFd) == 0;
        m_nFd = -1;
        return ok;
    }

private:
    int m_nFd;
};
