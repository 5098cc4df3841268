#pragma once
// Timed sending without a window: each entry's document is read into a document of its
// own, with the same messages the editor would give, and sent through the port choices
// given. Runs on the thread that owns the editor-wide drawing state.

#include "app/CVemtApp.h"
#include "comm/CComPortMap.h"
#include "comm/ITimingSendHost.h"
#include "document/CVemtDoc.h"

class CHeadlessTimingHost : public ITimingSendHost {
public:
    // app: the sign parameters and settings the documents are read and sent with.
    CHeadlessTimingHost(CVemtApp& app, CComPortMap ports);

    bool LoadTimingFile(const std::string& path, IMessageSink& messages) override;
    bool PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages) override;

    const CVemtDoc& Document() const { return m_doc; }

private:
    CVemtApp& m_app;
    CComPortMap m_ports;
    CVemtDoc m_doc;
};
