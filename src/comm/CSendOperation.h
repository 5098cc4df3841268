#pragma once
// "Send file" without its dialogs: the scanned planes go to every address of the
// address string, one control frame and then the data frames (red j, then green j) per
// address. A sign that fails ends its own transfer only; the next address is tried.

#include "comm/CAddressList.h"
#include "comm/CBitPlanes.h"
#include "programme/SCREENINFO.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CSerialLink;
class CVemtApp;
class IMessageSink;
class IProgressSink;

constexpr int kMaxFrameAttempts = 5;

class CSendOperation {
public:
    // cancel, when given, is looked at between frames; the frame on the wire is finished.
    CSendOperation(const CVemtApp& app, CSerialLink& link, IMessageSink& messages,
                   IProgressSink* progress = nullptr, const std::atomic<bool>* cancel = nullptr);

    // Sends to the addresses of app.m_szAddress through port app.m_nComPort. screenInfo
    // is the display settings table already brought to the document's screen count.
    // Returns -1 when the port is held by another program or cannot be opened (nothing
    // is sent, the reason is shown), else 0.
    int SendFile(const CBitPlanes& planes, const std::vector<SCREENINFO>& screenInfo);

    // 1 when every frame was delivered, 0 when a frame failed or the send was cancelled.
    int SendFileToAddress(const CBitPlanes& planes, const std::vector<SCREENINFO>& screenInfo, std::uint8_t address);

    bool WasCancelled() const { return m_bCancelled; }
    const CAddressList& Addresses() const { return m_addresses; }
    // The SendFileToAddress result of every address served by the last SendFile, in
    // list order (a cancelled send stops the list early).
    struct CAddressResult {
        std::uint8_t m_byAddress = 0;
        int m_nResult = 0;
    };
    const std::vector<CAddressResult>& Results() const { return m_aResults; }

private:
    // Up to five attempts while the sign answers 'E'; no repeat when it is silent.
    int SendWithAttempts(const std::uint8_t* frame, const std::string& firstText,
                         const std::string& repeatFormat, int repeatArg1, int repeatArg2, bool twoRepeatArgs);
    bool CancelRequested();
    void Report(const std::string& text);

    const CVemtApp& m_app;
    CSerialLink& m_link;
    IMessageSink& m_messages;
    IProgressSink* m_pProgress;
    const std::atomic<bool>* m_pCancel;
    CAddressList m_addresses;
    std::vector<CAddressResult> m_aResults;
    bool m_bCancelled = false;
};
