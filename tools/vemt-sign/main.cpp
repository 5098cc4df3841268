// vemt-sign: LED moving signs on a pseudo-terminal, for trying the editor without a sign,
// or behind a serial device server of their own (RFC 2217) with --listen.
//
//   vemt-sign [--link PATH | --listen rfc2217://HOST:PORT [--server-fault F]] [--pace]
//             [--log FILE] [--images DIR] SIGN...
//   SIGN is ADDRESS[:OPTION,...] with the options
//     silent           never answers
//     errors=N         answers 'E' to the first N frames
//     errcmd=0xNN      ... only to frames with this command byte
//     noise=N          N stray bytes before every reply
//     delay=MS         waits before every reply
//     info=short|corrupt   damages the information reply
//     hangup=N         the line disappears after N bytes to this sign
//     version=T board=T crystal=T memory=T   fields of the information reply
//
// --server-fault refuse-parity   the server cannot do MARK/SPACE parity
// --server-fault no-acks         the server agrees to RFC 2217, then never answers
//
// Point COM1 or COM2 of the editor at the printed path (or at the --link path), or at
// the printed rfc2217:// address.

#include "comm/CRfc2217SignServer.h"
#include "comm/CSignSimulator.h"
#include "comm/CSimulatorLine.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void Usage()
{
    std::fprintf(stderr,
                 "usage: vemt-sign [--link PATH | --listen rfc2217://HOST:PORT [--server-fault refuse-parity|no-acks]]\n"
                 "                 [--pace] [--log FILE] [--images DIR] ADDRESS[:OPTION,...]...\n"
                 "options: silent errors=N errcmd=0xNN noise=N delay=MS info=short|corrupt hangup=N\n"
                 "         version=TEXT board=TEXT crystal=TEXT memory=TEXT\n");
}

bool ParseSign(const std::string& arg, CSimSignConfig& sign)
{
    const std::size_t colon = arg.find(':');
    char* end = nullptr;
    const long address = std::strtol(arg.substr(0, colon).c_str(), &end, 10);
    if (*end != 0 || address < 1 || address > 255) return false;
    sign.m_byAddress = std::uint8_t(address);
    if (colon == std::string::npos) return true;
    std::string rest = arg.substr(colon + 1);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string opt = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const std::size_t eq = opt.find('=');
        const std::string key = opt.substr(0, eq);
        const std::string value = eq == std::string::npos ? "" : opt.substr(eq + 1);
        const long n = std::strtol(value.c_str(), nullptr, 0);
        if (key == "silent") sign.m_bSilent = true;
        else if (key == "errors") sign.m_nErrorReplies = int(n);
        else if (key == "errcmd") sign.m_byErrorCommand = std::uint8_t(n);
        else if (key == "noise") sign.m_nNoiseBytes = int(n);
        else if (key == "delay") sign.m_nReplyDelayMs = int(n);
        else if (key == "hangup") sign.m_nHangUpAfterBytes = int(n);
        else if (key == "info" && value == "short") sign.m_eInfoFault = EInfoFault::Short;
        else if (key == "info" && value == "corrupt") sign.m_eInfoFault = EInfoFault::Corrupt;
        else if (key == "version") sign.m_info.m_szVersion = value;
        else if (key == "board") sign.m_info.m_szMotherboard = value;
        else if (key == "crystal") sign.m_info.m_szCrystal = value;
        else if (key == "memory") sign.m_info.m_szMemory = value;
        else return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::string link, listen, serverFault, logPath, imageDir;
    bool paced = false;
    CSignSimulator sim;
    int signs = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--link" && i + 1 < argc) link = argv[++i];
        else if (a == "--listen" && i + 1 < argc) listen = argv[++i];
        else if (a == "--server-fault" && i + 1 < argc) serverFault = argv[++i];
        else if (a == "--log" && i + 1 < argc) logPath = argv[++i];
        else if (a == "--images" && i + 1 < argc) imageDir = argv[++i];
        else if (a == "--pace") paced = true;
        else if (a == "--help" || a == "-h") {
            Usage();
            return 0;
        } else {
            CSimSignConfig sign;
            if (!ParseSign(a, sign)) {
                std::fprintf(stderr, "vemt-sign: cannot read sign \"%s\"\n", a.c_str());
                Usage();
                return 2;
            }
            sim.AddSign(sign);
            ++signs;
        }
    }
    if (signs == 0 || (!listen.empty() && !link.empty()) || (!serverFault.empty() && listen.empty()) ||
        (!serverFault.empty() && serverFault != "refuse-parity" && serverFault != "no-acks")) {
        Usage();
        return 2;
    }

    if (!imageDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(imageDir, ec);
        if (ec) {
            std::fprintf(stderr, "vemt-sign: cannot make %s: %s\n", imageDir.c_str(), ec.message().c_str());
            return 2;
        }
    }
    sim.m_fnOnMessage = [&imageDir](std::uint8_t address, const CSimSignState& st) {
        std::printf("sign %d: message %d received, %d screen(s) of %d x %d, %d colour(s)\n", address, st.m_nMessages,
                    st.Screens(), st.Width(), st.ScreenHeight(), st.ColorCount());
        if (!imageDir.empty()) {
            const std::string path = imageDir + "/sign" + std::to_string(address) + "-" + std::to_string(st.m_nMessages) + ".ppm";
            if (CSignSimulator::WritePpm(CSignSimulator::DecodeScreens(st), path)) std::printf("  shown in %s\n", path.c_str());
            else std::fprintf(stderr, "vemt-sign: cannot write %s\n", path.c_str());
        }
        std::fflush(stdout);
    };

    CSimulatorLine line(sim);
    CRfc2217SignServer server(sim);
    if (!listen.empty()) {
        std::string error;
        server.m_bPaced = paced;
        server.m_bRefuseStickParity = serverFault == "refuse-parity";
        server.m_bNeverAcknowledge = serverFault == "no-acks";
        if (!server.Listen(listen, error)) {
            std::fprintf(stderr, "vemt-sign: cannot listen on %s: %s\n", listen.c_str(), error.c_str());
            return 1;
        }
        std::printf("vemt-sign: device server at %s\n", server.Url().c_str());
    } else {
        line.m_bPaced = paced;
        if (!line.Open(link)) {
            std::fprintf(stderr, "vemt-sign: cannot create the pseudo-terminal%s%s: %s\n", link.empty() ? "" : " or link ",
                         link.c_str(), std::strerror(errno));
            return 1;
        }
        std::printf("vemt-sign: line at %s%s%s%s\n", line.SlavePath().c_str(), link.empty() ? "" : " (linked as ",
                    link.c_str(), link.empty() ? "" : ")");
    }
    std::fflush(stdout);

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    if (!(listen.empty() ? line.Start() : server.Start())) return 1;

    std::FILE* log = logPath.empty() ? nullptr : std::fopen(logPath.c_str(), "a");
    if (!logPath.empty() && !log) std::fprintf(stderr, "vemt-sign: cannot write the log %s\n", logPath.c_str());
    std::size_t logged = 0;
    for (;;) {
        const timespec tick {0, 200 * 1000 * 1000};
        const int sig = sigtimedwait(&stopSignals, nullptr, &tick);
        const std::vector<std::string> lines = sim.Log();
        for (; logged < lines.size(); ++logged) {
            if (log) std::fprintf(log, "%s\n", lines[logged].c_str());
            else std::printf("%s\n", lines[logged].c_str());
        }
        if (log) std::fflush(log);
        std::fflush(stdout);
        if (sig > 0 || line.HungUp()) break;
    }
    line.Stop();
    server.Stop();
    if (log) std::fclose(log);
    return 0;
}
