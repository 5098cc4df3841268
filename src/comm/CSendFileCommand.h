#pragma once
// "Send file" from the document to the signs, in the steps both the editor and the
// command line take: check and render the document (on the thread that owns the editor
// state), then scan the picture into planes and send them (on any thread).

#include "comm/CComPortMap.h"
#include "comm/CSendOperation.h"
#include "comm/ScanBitPlanes.h"
#include "programme/SCREENINFO.h"
#include "raster/CRasterSurface.h"

#include <atomic>
#include <string>
#include <vector>

class CVemtApp;
class CVemtDoc;
class IMessageSink;
class IProgressSink;

// RunSendCommand results (the command line's exit status).
constexpr int kSendAllDelivered = 0;  // every addressed sign took the message
constexpr int kSendSomeFailed = 1;    // at least one sign did not (or the send was cancelled)
constexpr int kSendNothingSent = 2;   // refused before the line was used

// The canvas as the sign will show it, with what the scan and the send need.
struct CPreparedSend {
    CRasterSurface m_surface;          // W x used height, one pixel per dot
    int m_nUsedHeight = 0;             // rows in use, whole screens
    CScanParams m_params;
    std::vector<SCREENINFO> m_aScreenInfo;  // the table at the document's screen count
};

// Refuses an empty document and a sign width that is not a whole number of bytes (the
// message goes to messages), otherwise renders the used rows and brings the
// application's settings table to the document's screen count. Uses the editor-wide
// drawing state: call it on the thread that owns it.
bool PrepareSend(const CVemtDoc& doc, CVemtApp& app, CPreparedSend& prepared, IMessageSink& messages);

struct CSendOutcome {
    int m_nSendFile = -1;  // CSendOperation::SendFile: -1 port busy or missing, else 0
    bool m_bScanned = false;
    bool m_bCancelled = false;
    std::vector<CSendOperation::CAddressResult> m_aResults;
    bool AllDelivered() const;
};

// Scans the picture and sends it to the addresses of sendApp.m_szAddress through its
// port. Touches no editor state, so it may run on a worker thread.
CSendOutcome ScanAndSend(const CPreparedSend& prepared, const CVemtApp& sendApp, const CComPortMap& ports,
                         IMessageSink& messages, IProgressSink* progress,
                         const std::atomic<bool>* cancel = nullptr);

// The whole send for the command line: addresses checked as the address dialog checks
// them, the document prepared, scanned and sent through device. The application's
// address and port settings are left alone.
int RunSendCommand(const CVemtDoc& doc, CVemtApp& app, const std::string& device, const std::string& addresses,
                   IMessageSink& messages, IProgressSink* progress = nullptr);
