#include "comm/CSendFileCommand.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "comm/CAddressList.h"
#include "comm/CSerialLink.h"
#include "comm/CDeviceTransport.h"
#include "comm/CommTexts.h"
#include "comm/IProgressSink.h"
#include "document/CVemtDoc.h"
#include "document/CanvasGeometry.h"
#include "programme/CScreenInfoTable.h"

#include <algorithm>

bool PrepareSend(const CVemtDoc& doc, CVemtApp& app, CPreparedSend& prepared, IMessageSink& messages)
{
    prepared = CPreparedSend {};
    const int H = app.m_nTPHeight;
    const int used = ::GetUsedHeight(doc.m_objects, H, app.m_nTotalScreen);
    if (used <= 0 || H <= 0) {
        messages.ShowMessage(CommTexts::kEditAreaEmpty, CommTexts::kEditAreaEmptyCaption);
        return false;
    }
    if (app.m_nTPWidth <= 0 || app.m_nTPWidth % 8 != 0) {
        messages.ShowMessage(CommTexts::kWidthNotByte, CommTexts::kWidthNotByteCaption);
        return false;
    }
    prepared.m_nUsedHeight = used;
    prepared.m_params = {app.m_nTPWidth, H, app.m_nTotalScreen, app.m_nColorCount};
    prepared.m_surface = CRasterSurface(app.m_nTPWidth, used, 0);
    RenderRegion(doc.m_objects, prepared.m_surface, app.m_nTPWidth, used);

    // The control frame describes every screen the message uses.
    CScreenInfoTable(app).ResizeScreenInfo(used / H);
    prepared.m_aScreenInfo = app.m_aScreenInfo;
    return true;
}

bool CSendOutcome::AllDelivered() const
{
    if (m_nSendFile != 0 || !m_bScanned || m_bCancelled || m_aResults.empty()) return false;
    return std::all_of(m_aResults.begin(), m_aResults.end(),
                       [](const CSendOperation::CAddressResult& r) { return r.m_nResult == 1; });
}

CSendOutcome ScanAndSend(const CPreparedSend& prepared, const CVemtApp& sendApp, const CComPortMap& ports,
                         IMessageSink& messages, IProgressSink* progress, const std::atomic<bool>* cancel)
{
    CSendOutcome outcome;
    CBitPlanes planes;
    const CScanResult scan = ScanBitPlanes(prepared.m_surface, prepared.m_nUsedHeight, prepared.m_params, planes, progress);
    if (!scan.m_bOk) {
        messages.ShowMessage(scan.m_szMessage, scan.m_szCaption);
        return outcome;
    }
    outcome.m_bScanned = true;
    if (progress) progress->SetPos(planes.m_nBytes);

    CDeviceTransport tty;
    CSerialLink link(tty, ports, &messages);
    CSendOperation operation(sendApp, link, messages, progress, cancel);
    outcome.m_nSendFile = operation.SendFile(planes, prepared.m_aScreenInfo);
    outcome.m_bCancelled = operation.WasCancelled();
    outcome.m_aResults = operation.Results();
    return outcome;
}

int RunSendCommand(const CVemtDoc& doc, CVemtApp& app, const std::string& device, const std::string& addresses,
                   IMessageSink& messages, IProgressSink* progress)
{
    const CAddressCheck check = CheckAddressString(addresses);
    if (!check.Ok()) {
        messages.ShowMessage(check.m_szMessage, check.m_szCaption);
        return kSendNothingSent;
    }
    CPreparedSend prepared;
    if (!PrepareSend(doc, app, prepared, messages)) return kSendNothingSent;

    CVemtApp sendApp = app;
    sendApp.m_szAddress = addresses;
    sendApp.m_nComPort = 1;
    CComPortMap ports;
    ports.SetDevicePath(1, device);
    const CSendOutcome outcome = ScanAndSend(prepared, sendApp, ports, messages, progress);
    if (!outcome.m_bScanned || outcome.m_nSendFile != 0) return kSendNothingSent;
    return outcome.AllDelivered() ? kSendAllDelivered : kSendSomeFailed;
}
