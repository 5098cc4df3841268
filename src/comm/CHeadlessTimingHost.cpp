#include "comm/CHeadlessTimingHost.h"

#include "document/CDocumentFiles.h"
#include "document/IFileDialogs.h"

namespace {

// Nobody is there to choose a file.
struct CNoFileDialogs : IFileDialogs {
    std::optional<std::string> GetSavePath(const CFileDialogParams&) override { return std::nullopt; }
    std::optional<std::string> GetOpenPath(const CFileDialogParams&) override { return std::nullopt; }
};

} // namespace

CHeadlessTimingHost::CHeadlessTimingHost(CVemtApp& app, CComPortMap ports)
    : m_app(app), m_ports(std::move(ports)), m_doc(&app)
{
}

bool CHeadlessTimingHost::LoadTimingFile(const std::string& path, IMessageSink& messages)
{
    // The document is never edited here, so opening asks no question; a file that is not
    // ours is reported like any other failure (into the log).
    CNoFileDialogs dialogs;
    CDocumentFiles files(m_doc, m_app, messages, dialogs);
    return files.LoadFromPath(path);
}

bool CHeadlessTimingHost::PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages)
{
    if (!PrepareSend(m_doc, m_app, send.m_prepared, messages)) return false;
    send.m_app = m_app;
    send.m_app.m_szAddress = address;
    send.m_ports = m_ports;
    return true;
}
