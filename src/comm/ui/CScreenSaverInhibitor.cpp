#include "comm/ui/CScreenSaverInhibitor.h"

#ifdef VEMT_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
// A desktop that does not answer within this time is taken to have no screen saver service.
constexpr int kCallTimeoutMs = 2000;
}  // namespace
#endif

CScreenSaverInhibitor::CScreenSaverInhibitor(const QString& application, const QString& reason)
{
#ifdef VEMT_HAVE_QTDBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return;
    if (!bus.interface()->isServiceRegistered(QString::fromLatin1(kService)).value()) return;
    QDBusInterface saver(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kService), bus);
    if (!saver.isValid()) return;
    saver.setTimeout(kCallTimeoutMs);
    const QDBusReply<unsigned> reply = saver.call(QStringLiteral("Inhibit"), application, reason);
    if (!reply.isValid()) return;
    m_nCookie = reply.value();
    m_bActive = true;
#else
    (void)application;
    (void)reason;
#endif
}

CScreenSaverInhibitor::~CScreenSaverInhibitor()
{
    Release();
}

void CScreenSaverInhibitor::Release()
{
    if (!m_bActive) return;
    m_bActive = false;
#ifdef VEMT_HAVE_QTDBUS
    QDBusInterface saver(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kService),
                         QDBusConnection::sessionBus());
    saver.setTimeout(kCallTimeoutMs);
    saver.call(QStringLiteral("UnInhibit"), m_nCookie);
#endif
}
