#pragma once
// What the timed-send worker asks of whoever holds the documents: the editor, whose
// GUI thread answers while the worker waits, or the command line. Every call blocks
// until it has been carried out; the messages of a request go to the given sink (the
// worker's error list), never to a message box.

#include "app/CVemtApp.h"
#include "comm/CComPortMap.h"
#include "comm/CSendFileCommand.h"

#include <string>

class IMessageSink;
class IProgressSink;

// A document made ready for the line: the picture, the sign and port settings (with
// the entry's address) and the port choices it goes out through.
struct CTimedSend {
    CPreparedSend m_prepared;
    CVemtApp m_app;
    CComPortMap m_ports;
};

class ITimingSendHost {
public:
    virtual ~ITimingSendHost() = default;
    // Opens path as the current document. False when it could not be opened.
    virtual bool LoadTimingFile(const std::string& path, IMessageSink& messages) = 0;
    // Renders the current document for the signs of `address`. False when there is
    // nothing to send.
    virtual bool PrepareTimingSend(const std::string& address, CTimedSend& send, IMessageSink& messages) = 0;
    // Where the send reports its progress (any thread may call it), or none.
    virtual IProgressSink* TimingProgress() { return nullptr; }
    // The send of a file is over (whatever its outcome).
    virtual void TimingSendDone() {}
};
