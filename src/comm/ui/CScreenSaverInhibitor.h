#pragma once
// Holds the desktop's screen saver off through the freedesktop.org ScreenSaver service
// on the session bus, where there is one. Without a session bus, or a desktop without
// the service, it does nothing.

#include <QString>

class CScreenSaverInhibitor {
public:
    CScreenSaverInhibitor(const QString& application, const QString& reason);
    ~CScreenSaverInhibitor();
    CScreenSaverInhibitor(const CScreenSaverInhibitor&) = delete;
    CScreenSaverInhibitor& operator=(const CScreenSaverInhibitor&) = delete;

    bool IsActive() const { return m_bActive; }
    void Release();

private:
    unsigned m_nCookie = 0;
    bool m_bActive = false;
};
