// The same message sent to a sign on a line paced like a real one (19200 baud, 11 bits a
// byte), once straight through the pseudo-terminal and once through a serial device
// server: ser2net on 127.0.0.1 serving that pseudo-terminal over RFC 2217. How much does
// the network transport cost in time and in the sender's processor time?
//
// Counters: tty_s and net_s = wall time of one send each way, ratio = net_s / tty_s
// (goal <= 1.05), tty_cpu_ms and net_cpu_ms = the sender's processor time of one send.

#include "SendBenchMessage.h"
#include "Ser2netServer.h"

#include "app/CVemtApp.h"
#include "comm/CDeviceTransport.h"
#include "comm/CSendOperation.h"
#include "comm/CSerialLink.h"
#include "comm/CSimulatorLine.h"
#include "comm/CStderrMessageSink.h"
#include "comm/FrameProtocol.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing SendOnce(const CVemtApp& app, const CBitPlanes& planes, const std::string& device)
{
    CComPortMap ports;
    ports.SetDevicePath(1, device);
    CDeviceTransport transport;
    CStderrMessageSink messages;
    CSerialLink link(transport, ports, &messages);
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ThreadCpuSeconds();
    CSendOperation op(app, link, messages);
    op.SendFile(planes, std::vector<SCREENINFO>(std::size_t(app.m_nTotalScreen)));
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), ThreadCpuSeconds() - c0};
}

void BM_SendFourScreens160x16ThroughSer2netAgainstTty(benchmark::State& state)
{
    constexpr int W = 160, H = 16, N = 4;
    CVemtApp app;
    app.m_nTPWidth = W;
    app.m_nTPHeight = H;
    app.m_nTotalScreen = N;
    app.m_nColorCount = 2;
    app.m_nComPort = 1;
    app.m_szAddress.assign(1, '1');

    CBitPlanes planes;
    if (!ScanBenchMessage(W, H, N, planes)) {
        state.SkipWithError("scan failed");
        return;
    }
    if (!CSer2netServer::Installed()) {
        state.SkipWithError("ser2net is not installed");
        return;
    }

    CSignSimulator sim;
    sim.AddSign({.m_byAddress = 1});
    CSimulatorLine line(sim);
    line.m_bPaced = true;
    if (!line.Open() || !line.Start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const std::string work = std::filesystem::temp_directory_path().string();
    CSer2netServer server;
    std::string error;
    if (!server.Start(line.SlavePath(), work, "19200m81", error)) {
        state.SkipWithError(error.c_str());
        return;
    }

    Timing tty, net;
    for (auto _ : state) {
        const Timing t = SendOnce(app, planes, line.SlavePath());
        const Timing n = SendOnce(app, planes, server.Url());
        state.SetIterationTime(t.wall + n.wall);
        tty.wall += t.wall, tty.cpu += t.cpu;
        net.wall += n.wall, net.cpu += n.cpu;
    }
    if (sim.State(1).m_nMessages != 2 * int(state.iterations())) state.SkipWithError("the sign missed a message");
    const double k = double(state.iterations());
    state.counters["frames"] = 1 + 2 * DataFrameCount(planes.m_nBytes);
    state.counters["tty_s"] = tty.wall / k;
    state.counters["net_s"] = net.wall / k;
    state.counters["ratio"] = net.wall / tty.wall;
    state.counters["tty_cpu_ms"] = 1000 * tty.cpu / k;
    state.counters["net_cpu_ms"] = 1000 * net.cpu / k;
    server.Stop();
    line.Stop();
}

} // namespace

BENCHMARK(BM_SendFourScreens160x16ThroughSer2netAgainstTty)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
