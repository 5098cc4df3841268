#include "cli/CliDeviceRun.h"

#include "cli/CCliContext.h"
#include "cli/CStreamMessageSink.h"
#include "cli/CTextProgress.h"
#include "cli/CliPort.h"

#include <ostream>

int RunDeviceFromCli(const CCliContext& context, EDeviceCommand command, const CDeviceFrameData& data,
                     const std::string& port, const std::string& addresses, const std::string& name)
{
    CStreamMessageSink messages(context.m_err);
    CTextProgress progress(context.m_err);
    const int status =
        RunDeviceCommand(command, data, ResolvePortDevice(context, port), addresses, messages, &progress);
    if (status == kDeviceAllDelivered) {
        const bool everySign = DeviceCommandTexts(command).m_bAlwaysBroadcast;
        context.m_out << name << ": sent to " << (everySign ? std::string("0") : addresses) << "\n";
    }
    if (status == kDeviceAllDelivered) return kCliExitOk;
    return status == kDeviceNothingSent ? kCliExitUsage : kCliExitFailed;
}
